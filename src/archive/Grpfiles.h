#pragma once
// Group files on disk: reading a directory, extracting entries, creating and editing a group
// file. All file access goes through the toolkit's file services. Data is copied by the system's
// copy (FileCopy), in the kernel where it can or else through one bounded buffer, so memory use
// does not grow with the size of an entry or of the archive.
//
// Every failure names the file it concerns: "<path>: <reason>".

#include "archive/Grpedit.h"
#include "archive/Grpextract.h"
#include "archive/Grpformat.h"
#include "archive/Grpresult.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The header and directory of the group file at path. Reads 16 + 16 x N bytes and nothing of
// the data; refuses a file shorter than its header, its directory or the data its sizes claim.
TResult<TGrpDirectory> ReadGrpDirectory(const std::string& path);

struct TFileDigest {
    std::uint64_t Size = 0;
    std::uint32_t Crc = 0; // CRC-32 of the whole file
};
TResult<TFileDigest> DigestFile(const std::string& path);

// Writes each planned item from the group file at groupPath into its own file in folder (never
// empty), which is created (one level) when missing; an existing file of the same name is
// replaced. Before anything is written, a symbolic link or a folder in the place of any target
// refuses the whole extraction: links are never followed. So does a target that is the group
// file itself. An entry of size 0 gives an empty file.
// A failed write stops the extraction and removes the incomplete file; the files written before
// it stay. extracted, when given, receives the number of files written whole, also on failure.
TStatus ExtractGrpEntries(const std::string& groupPath, const std::vector<TExtractItem>& plan,
                          const std::string& folder, std::size_t* extracted = nullptr);

// A file to pack: where it is, the entry name it gets, and its measured length.
struct TGrpSource {
    std::string Path;
    std::string Name;
    std::uint32_t Size = 0;
};

// Measures the files to pack, given as (path, entry name) pairs in archive order, and checks
// what the format needs: names of at most 12 characters that can be extracted again, lengths
// below 4 GiB, at most 2^32 - 1 entries.
TResult<std::vector<TGrpSource>>
MeasureGrpSources(const std::vector<std::pair<std::string, std::string>>& files);

// Writes a group file of the measured sources at target. The file is written beside target and
// renamed into its place only when complete (and, when it replaces a file, flushed to the disk
// first), so target is replaced by a whole new group file or left as it was. A source that
// vanished, cannot be read or no longer has its measured length stops the creation. A symbolic
// link at target is refused.
TStatus WriteGrpFile(const std::string& target, const std::vector<TGrpSource>& sources);

// Rewrites the group file at path by plan, which was made from directory, read from path; added
// are the measured files that the plan takes data from. Entry data that does not change is
// copied from the old file without passing through this program where the system allows. The
// new file is written beside, flushed and renamed into place, so that the old file is replaced
// whole or stays exactly as it was, with nothing left beside it. Refuses a path that is a
// symbolic link, an old file whose length is no longer the directory's, and an added file that
// vanished or changed its length since it was measured.
TStatus WriteGrpEdit(const std::string& path, const TGrpDirectory& directory,
                     const TGrpEditPlan& plan, const std::vector<TGrpSource>& added);
