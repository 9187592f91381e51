#pragma once
// File services that pass every call to the system's and fail on request: a full disk, a
// refused create, a failed rename, or a hook that changes a file just before it is opened or
// read. It puts itself in place while it lives.

#include "toolkit/Sysutils.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class TFailingFileServices : public TFileServices {
public:
    // Creating a file whose path contains this text fails.
    std::string RefuseCreate;
    // The bytes that writes may still put before the disk is "full"; negative: no limit.
    std::int64_t WriteBudget = -1;
    bool FailRename = false;
    bool FailFlush = false;
    // Called with the path before a file is opened, and before each read of an open file.
    std::function<void(const std::string& path)> BeforeOpen;
    std::function<void(const std::string& path)> BeforeRead;

    // Bytes read through FileRead outside copies, and bytes moved by FileCopy. Copies run the
    // default copy through FileRead and FileWrite here, so that the failures above reach them.
    std::int64_t BytesRead = 0;
    std::int64_t BytesCopied = 0;
    int StartedFlushes = 0;
    int OpenFiles = 0;

    TFailingFileServices() : System(SystemFileServices()), Previous(SetFileServices(this)) {}
    ~TFailingFileServices() override { SetFileServices(Previous); }

    bool FileExists(const std::string& path) override { return System.FileExists(path); }
    bool DirectoryExists(const std::string& path) override { return System.DirectoryExists(path); }
    bool IsSymLink(const std::string& path) override { return System.IsSymLink(path); }
    bool IsSameFile(THandle handle, const std::string& path) override {
        return System.IsSameFile(handle, path);
    }

    THandle FileOpen(const std::string& path, TFileMode mode) override {
        if (BeforeOpen) {
            BeforeOpen(path);
        }
        return Opened(path, System.FileOpen(path, mode));
    }
    THandle FileCreate(const std::string& path) override {
        if (Refused(path)) {
            return InvalidHandle;
        }
        return Opened(path, System.FileCreate(path));
    }
    THandle FileCreateNew(const std::string& path) override {
        if (Refused(path)) {
            return InvalidHandle;
        }
        return Opened(path, System.FileCreateNew(path));
    }
    std::int64_t FileSeek(THandle handle, std::int64_t offset, TSeekOrigin origin) override {
        return System.FileSeek(handle, offset, origin);
    }
    std::int64_t FileRead(THandle handle, void* buffer, std::int64_t count) override {
        if (BeforeRead) {
            BeforeRead(Paths[handle]);
        }
        const std::int64_t got = System.FileRead(handle, buffer, count);
        if (!Copying) {
            BytesRead += got > 0 ? got : 0;
        }
        return got;
    }
    TCopyResult FileCopy(THandle source, THandle target, std::int64_t count) override {
        Copying = true;
        const TCopyResult result = TFileServices::FileCopy(source, target, count);
        Copying = false;
        BytesCopied += count;
        return result;
    }
    std::int64_t FileWrite(THandle handle, const void* buffer, std::int64_t count) override {
        if (WriteBudget >= 0 && count > WriteBudget) {
            System.FileWrite(handle, buffer, WriteBudget);
            WriteBudget = 0;
            return Inject("No space left on device");
        }
        if (WriteBudget >= 0) {
            WriteBudget -= count;
        }
        return System.FileWrite(handle, buffer, count);
    }
    bool FileFlush(THandle handle) override {
        if (FailFlush) {
            Inject("Input/output error");
            return false;
        }
        return System.FileFlush(handle);
    }
    void FileStartFlush(THandle handle) override {
        ++StartedFlushes;
        System.FileStartFlush(handle);
    }
    bool FileClose(THandle handle) override {
        Paths.erase(handle);
        --OpenFiles;
        return System.FileClose(handle);
    }
    bool DeleteFile(const std::string& path) override { return System.DeleteFile(path); }
    bool RenameFile(const std::string& from, const std::string& to) override {
        if (FailRename) {
            Inject("Permission denied");
            return false;
        }
        return System.RenameFile(from, to);
    }
    bool CreateDir(const std::string& path) override { return System.CreateDir(path); }
    bool RemoveDir(const std::string& path) override { return System.RemoveDir(path); }
    bool ListFolder(const std::string& folder, std::vector<TSearchRec>& entries) override {
        return System.ListFolder(folder, entries);
    }
    std::vector<std::string> LogicalDrives() override { return System.LogicalDrives(); }
    std::string LastErrorText() override {
        return Injected.empty() ? System.LastErrorText() : Injected;
    }

private:
    bool Refused(const std::string& path) {
        if (RefuseCreate.empty() || path.find(RefuseCreate) == std::string::npos) {
            return false;
        }
        Inject("Permission denied");
        return true;
    }
    // Records the text of an injected failure; -1, the failure result of the calls.
    std::int64_t Inject(const std::string& text) {
        Injected = text;
        return -1;
    }
    THandle Opened(const std::string& path, THandle handle) {
        if (handle != InvalidHandle) {
            Paths[handle] = path;
            ++OpenFiles;
        }
        return handle;
    }

    TFileServices& System;
    TFileServices* Previous;
    std::map<THandle, std::string> Paths;
    std::string Injected;
    bool Copying = false;
};
