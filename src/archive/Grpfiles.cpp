#include "archive/Grpfiles.h"

#include "archive/Crc32.h"
#include "toolkit/Sysutils.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <functional>
#include <limits>
#include <span>

namespace {

TStatus IoFailure(const std::string& path, const std::string& doing) {
    return TStatus::Io(path + ": " + doing + ": " + LastErrorText());
}

// The length of an open file, or -1.
std::int64_t FileLength(THandle handle) {
    const std::int64_t length = FileSeek(handle, 0, TSeekOrigin::End);
    if (length < 0 || FileSeek(handle, 0, TSeekOrigin::Beginning) != 0) {
        return -1;
    }
    return length;
}

// Opens path for reading and measures it into length.
TStatus OpenMeasured(const std::string& path, TFileHandle& file, std::int64_t& length) {
    file = TFileHandle(FileOpen(path, TFileMode::Read));
    if (!file.Valid()) {
        return IoFailure(path, "cannot open");
    }
    length = FileLength(file.Handle());
    if (length < 0) {
        return IoFailure(path, "cannot read");
    }
    return {};
}

// A file of a free name beside target, created new; its name goes to path.
TFileHandle CreateBeside(const std::string& target, std::string& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = target;
        if (attempt > 0) {
            path += '.';
            path += std::to_string(attempt);
        }
        path += ".new";
        TFileHandle file(FileCreateNew(path));
        if (file.Valid() || !(FileExists(path) || DirectoryExists(path) || IsSymLink(path))) {
            return file; // created, or failed for another reason than the name being taken
        }
    }
    return TFileHandle();
}

// The status of writing one source into the new group file.
TStatus CopySource(const TGrpSource& source, THandle target, const std::string& targetPath) {
    TFileHandle file(FileOpen(source.Path, TFileMode::Read));
    if (!file.Valid()) {
        return IoFailure(source.Path, "cannot open");
    }
    // A shorter file ends the copy early; a longer one has a byte left after it.
    const std::string changed = source.Path + ": changed its length since it was measured (" +
                                std::to_string(source.Size) + " bytes)";
    switch (FileCopy(file.Handle(), target, source.Size)) {
    case TCopyResult::Done:
        break;
    case TCopyResult::ReadFailed:
        return IoFailure(source.Path, "cannot read");
    case TCopyResult::SourceEnded:
        return TStatus::Io(changed);
    case TCopyResult::WriteFailed:
        return IoFailure(targetPath, "cannot write");
    }
    std::uint8_t extra;
    if (FileRead(file.Handle(), &extra, 1) != 0) {
        return TStatus::Io(changed); // it grew while being read
    }
    return {};
}

// Writes a file beside target with write and renames it into target's place only when complete,
// so that target is replaced by a whole new file or left as it was; on failure the new file is
// removed. With flush, the new file reaches the disk before it takes the place of the old one,
// so that a crash cannot leave a good file replaced by one that is not.
TStatus WriteBeside(const std::string& target, bool flush,
                    const std::function<TStatus(THandle file, const std::string& newPath)>& write) {
    std::string newPath;
    TFileHandle file = CreateBeside(target, newPath);
    if (!file.Valid()) {
        return IoFailure(newPath, "cannot create");
    }
    TStatus status = write(file.Handle(), newPath);
    if (status.Ok() && flush && !FileFlush(file.Handle())) {
        status = IoFailure(newPath, "cannot write");
    }
    if (status.Ok() && !file.Close()) {
        status = IoFailure(newPath, "cannot write");
    }
    if (status.Ok() && !RenameFile(newPath, target)) {
        status = IoFailure(target, "cannot replace it with " + newPath);
    }
    if (!status.Ok()) {
        file.Close();
        DeleteFile(newPath);
    }
    return status;
}

} // namespace

TResult<TGrpDirectory> ReadGrpDirectory(const std::string& path) {
    TFileHandle file;
    std::int64_t length = 0;
    if (TStatus opened = OpenMeasured(path, file, length); !opened.Ok()) {
        return opened;
    }
    std::array<std::uint8_t, GrpRecordSize> head{};
    const std::int64_t headRead = FileRead(file.Handle(), head.data(), GrpRecordSize);
    if (headRead < 0) {
        return IoFailure(path, "cannot read");
    }
    const TResult<TGrpHeader> header = ParseGrpHeader(
        std::span(head).first(static_cast<std::size_t>(headRead)), std::uint64_t(length));
    if (!header.Ok()) {
        return TStatus::BadData(path + ": " + header.Reason());
    }
    // ParseGrpHeader has checked the directory against the file's length and the memory.
    std::vector<std::uint8_t> directory(
        static_cast<std::size_t>(GrpDirectorySize(header.Value().Count) - GrpRecordSize));
    const auto directoryRead =
        FileRead(file.Handle(), directory.data(), std::int64_t(directory.size()));
    if (directoryRead < 0) {
        return IoFailure(path, "cannot read");
    }
    directory.resize(static_cast<std::size_t>(directoryRead));
    TResult<TGrpDirectory> result =
        DecodeGrpDirectory(header.Value(), directory, std::uint64_t(length));
    if (!result.Ok()) {
        return TStatus::BadData(path + ": " + result.Reason());
    }
    return result;
}

TResult<TFileDigest> DigestFile(const std::string& path) {
    TFileHandle file(FileOpen(path, TFileMode::Read));
    if (!file.Valid()) {
        return IoFailure(path, "cannot open");
    }
    TFileDigest digest;
    std::vector<std::uint8_t> buffer(std::size_t(1) << 20);
    for (;;) {
        const std::int64_t got =
            FileRead(file.Handle(), buffer.data(), std::int64_t(buffer.size()));
        if (got < 0) {
            return IoFailure(path, "cannot read");
        }
        if (got == 0) {
            return digest;
        }
        digest.Crc = Crc32(digest.Crc, buffer.data(), static_cast<std::size_t>(got));
        digest.Size += std::uint64_t(got);
    }
}

TStatus ExtractGrpEntries(const std::string& groupPath, const std::vector<TExtractItem>& plan,
                          const std::string& folder, std::size_t* extracted) {
    assert(!folder.empty()); // it would put the files at the root
    if (extracted != nullptr) {
        *extracted = 0;
    }
    TFileHandle group(FileOpen(groupPath, TFileMode::Read));
    if (!group.Valid()) {
        return IoFailure(groupPath, "cannot open");
    }
    const std::string prefix = IncludeTrailingPathDelimiter(folder);
    if (DirectoryExists(folder)) {
        for (const TExtractItem& item : plan) {
            const std::string target = prefix + item.Name;
            if (IsSymLink(target)) {
                return TStatus::Io(target +
                                   ": is a symbolic link, which extraction does not follow; "
                                   "nothing was extracted");
            }
            if (DirectoryExists(target)) {
                return TStatus::Io(target + ": is a folder; nothing was extracted");
            }
            // An entry named like its own group file, extracted beside it, would truncate the
            // group file it is still to be read from.
            if (IsSameFile(group.Handle(), target)) {
                return TStatus::Io(target +
                                   ": is the group file being extracted; nothing was extracted");
            }
        }
    } else if (!CreateDir(folder)) {
        return IoFailure(folder, "cannot create the folder");
    }

    for (const TExtractItem& item : plan) {
        const std::string target = prefix + item.Name;
        if (FileSeek(group.Handle(), std::int64_t(item.Offset), TSeekOrigin::Beginning) !=
            std::int64_t(item.Offset)) {
            return IoFailure(groupPath, "cannot read");
        }
        TFileHandle file(FileCreate(target));
        if (!file.Valid()) {
            return IoFailure(target, "cannot create");
        }
        TStatus status;
        switch (FileCopy(group.Handle(), file.Handle(), item.Size)) {
        case TCopyResult::Done:
            if (!file.Close()) {
                status = IoFailure(target, "cannot write");
            }
            break;
        case TCopyResult::ReadFailed:
            status = IoFailure(groupPath, "cannot read");
            break;
        case TCopyResult::SourceEnded:
            status =
                TStatus::Io(groupPath + ": ends inside the data of \"" + PrintableName(item.Name) +
                            "\"; it changed since its directory was read");
            break;
        case TCopyResult::WriteFailed:
            status = IoFailure(target, "cannot write");
            break;
        }
        if (!status.Ok()) {
            file.Close();
            DeleteFile(target); // incomplete: it would pass for the entry
            return status;
        }
        if (extracted != nullptr) {
            ++*extracted;
        }
    }
    return {};
}

TResult<std::vector<TGrpSource>>
MeasureGrpSources(const std::vector<std::pair<std::string, std::string>>& files) {
    if (files.size() > std::numeric_limits<std::uint32_t>::max()) {
        return TStatus::BadData("more files than a group file can hold (4294967295)");
    }
    std::vector<TGrpSource> sources;
    sources.reserve(files.size());
    for (const auto& [path, name] : files) {
        if (!FitsGrpName(name)) {
            return TStatus::BadData(path + ": the name " + PrintableName(name) +
                                    " is longer than 12 characters (name and extension)");
        }
        if (TStatus check = CheckExtractName(name); !check.Ok()) {
            return TStatus::BadData(path + ": " + check.Reason() + ", so it cannot be packed");
        }
        if (DirectoryExists(path)) {
            return TStatus::BadData(path + ": is a folder, not a file");
        }
        TFileHandle file;
        std::int64_t length = 0;
        if (TStatus opened = OpenMeasured(path, file, length); !opened.Ok()) {
            return opened;
        }
        if (std::uint64_t(length) > std::numeric_limits<std::uint32_t>::max()) {
            return TStatus::BadData(path + ": is 4 GiB or larger; an entry holds less");
        }
        sources.push_back({path, name, static_cast<std::uint32_t>(length)});
    }
    return sources;
}

TStatus WriteGrpFile(const std::string& target, const std::vector<TGrpSource>& sources) {
    if (DirectoryExists(target)) {
        return TStatus::Io(target + ": is a folder");
    }
    // Renaming the new file into place would replace the link, dangling or not, and leave the
    // file it points to as it was.
    if (IsSymLink(target)) {
        return TStatus::Io(target + ": is a symbolic link, which is not replaced");
    }
    // With nothing to replace there is nothing to lose, and the flush is saved.
    const bool replacing = FileExists(target);
    return WriteBeside(target, replacing, [&](THandle file, const std::string& newPath) {
        std::vector<TGrpRecord> records;
        records.reserve(sources.size());
        for (const TGrpSource& source : sources) {
            records.push_back({source.Name, source.Size});
        }
        const std::vector<std::uint8_t> directory = BuildGrpDirectory(records);
        if (FileWrite(file, directory.data(), std::int64_t(directory.size())) !=
            std::int64_t(directory.size())) {
            return IoFailure(newPath, "cannot write");
        }
        for (const TGrpSource& source : sources) {
            if (TStatus status = CopySource(source, file, newPath); !status.Ok()) {
                return status;
            }
        }
        return TStatus();
    });
}

TStatus WriteGrpEdit(const std::string& path, const TGrpDirectory& directory,
                     const TGrpEditPlan& plan, const std::vector<TGrpSource>& added) {
    // Renaming the new file into place would replace the link, not the file it points to.
    if (IsSymLink(path)) {
        return TStatus::Io(path + ": is a symbolic link; edit the file it points to");
    }
    TFileHandle old(FileOpen(path, TFileMode::Read));
    if (!old.Valid()) {
        return IoFailure(path, "cannot open");
    }
    const std::string changed = path + ": changed since its directory was read";
    if (FileLength(old.Handle()) != std::int64_t(directory.FileLength)) {
        return TStatus::Io(changed);
    }
    // Copies size bytes at offset of the old file to the new one. The copy goes in pieces, each
    // sent on to the disk while the next is copied, so that the flush before the rename has
    // little left to wait for.
    const auto copyOld = [&](std::uint64_t offset, std::uint64_t size, THandle file,
                             const std::string& newPath) {
        if (FileSeek(old.Handle(), std::int64_t(offset), TSeekOrigin::Beginning) !=
            std::int64_t(offset)) {
            return IoFailure(path, "cannot read");
        }
        constexpr std::uint64_t piece = std::uint64_t(32) << 20;
        for (std::uint64_t left = size; left > 0;) {
            const std::uint64_t count = std::min(left, piece);
            switch (FileCopy(old.Handle(), file, std::int64_t(count))) {
            case TCopyResult::Done:
                break;
            case TCopyResult::ReadFailed:
                return IoFailure(path, "cannot read");
            case TCopyResult::SourceEnded:
                return TStatus::Io(changed);
            case TCopyResult::WriteFailed:
                return IoFailure(newPath, "cannot write");
            }
            FileStartFlush(file);
            left -= count;
        }
        return TStatus();
    };
    return WriteBeside(path, true, [&](THandle file, const std::string& newPath) {
        const std::vector<std::uint8_t> head = BuildGrpEditDirectory(plan);
        if (FileWrite(file, head.data(), std::int64_t(head.size())) != std::int64_t(head.size())) {
            return IoFailure(newPath, "cannot write");
        }
        for (const TGrpEditEntry& entry : plan.Entries) {
            assert(entry.From == TGrpDataFrom::OldFile || entry.Added < added.size());
            TStatus status = entry.From == TGrpDataFrom::OldFile
                                 ? copyOld(entry.Offset, entry.Size, file, newPath)
                                 : CopySource(added[entry.Added], file, newPath);
            if (!status.Ok()) {
                return status;
            }
        }
        if (TStatus status = copyOld(plan.TrailingOffset, plan.TrailingSize, file, newPath);
            !status.Ok()) {
            return status;
        }
        // Windows cannot rename over a file that is still open.
        old.Close();
        return TStatus();
    });
}
