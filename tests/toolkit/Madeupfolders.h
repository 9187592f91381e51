#pragma once
// The system's file services, except for the folders and drives a test makes up: in place while
// the object lives.

#include "toolkit/Sysutils.h"

#include <map>
#include <string>
#include <vector>

class TMadeUpFolders : public TFileServices {
public:
    std::map<std::string, std::vector<TSearchRec>> Folders;
    std::vector<std::string> Drives;

    TMadeUpFolders() : System(SystemFileServices()), Previous(SetFileServices(this)) {}
    ~TMadeUpFolders() override { SetFileServices(Previous); }

    bool ListFolder(const std::string& folder, std::vector<TSearchRec>& entries) override {
        const auto found = Folders.find(folder);
        if (found == Folders.end()) {
            return false;
        }
        entries = found->second;
        return true;
    }
    std::vector<std::string> LogicalDrives() override { return Drives; }

    bool FileExists(const std::string& path) override { return System.FileExists(path); }
    bool DirectoryExists(const std::string& path) override { return Folders.count(path) != 0; }
    bool IsSymLink(const std::string& path) override { return System.IsSymLink(path); }
    THandle FileOpen(const std::string& path, TFileMode mode) override {
        return System.FileOpen(path, mode);
    }
    THandle FileCreate(const std::string& path) override { return System.FileCreate(path); }
    THandle FileCreateNew(const std::string& path) override { return System.FileCreateNew(path); }
    std::int64_t FileSeek(THandle handle, std::int64_t offset, TSeekOrigin origin) override {
        return System.FileSeek(handle, offset, origin);
    }
    std::int64_t FileRead(THandle handle, void* buffer, std::int64_t count) override {
        return System.FileRead(handle, buffer, count);
    }
    std::int64_t FileWrite(THandle handle, const void* buffer, std::int64_t count) override {
        return System.FileWrite(handle, buffer, count);
    }
    bool FileFlush(THandle handle) override { return System.FileFlush(handle); }
    bool FileClose(THandle handle) override { return System.FileClose(handle); }
    bool DeleteFile(const std::string& path) override { return System.DeleteFile(path); }
    bool RenameFile(const std::string& from, const std::string& to) override {
        return System.RenameFile(from, to);
    }
    bool CreateDir(const std::string& path) override { return System.CreateDir(path); }
    bool RemoveDir(const std::string& path) override { return System.RemoveDir(path); }
    std::string LastErrorText() override { return System.LastErrorText(); }

private:
    TFileServices& System;
    TFileServices* Previous;
};
