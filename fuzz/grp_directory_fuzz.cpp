// Fuzz target: the header and directory reader and the extraction planner, on arbitrary bytes
// taken as the beginning of a group file. The claimed file length is varied too, so that counts
// and sizes that reach past the end are exercised as well as those that fit.

#include "archive/Grpextract.h"
#include "archive/Grpformat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    // The last input byte, when there is one, stretches the file beyond the bytes given: a
    // directory must then fit, but entry data may lie in the unseen part.
    std::uint64_t fileLength = size;
    if (size > 0) {
        fileLength += std::uint64_t(data[size - 1]) << 24;
    }

    auto directory = ParseGrpDirectory(bytes, fileLength);
    if (!directory.Ok()) {
        return 0;
    }
    const TGrpDirectory& dir = directory.Value();
    if (dir.DataStart > fileLength || dir.DataEnd > fileLength || dir.DataStart > dir.DataEnd) {
        std::abort(); // the reader let through a directory that does not fit the file
    }
    for (const TGrpEntry& entry : dir.Entries) {
        if (entry.Offset < dir.DataStart || entry.Offset + entry.Size > dir.DataEnd) {
            std::abort();
        }
    }

    auto plan = PlanGrpExtraction(dir, GrpEntryNames(dir));
    if (plan.Ok()) {
        for (const TExtractItem& item : plan.Value()) {
            if (!CheckExtractName(item.Name).Ok() || item.Offset + item.Size > fileLength) {
                std::abort(); // the planner let through an unsafe name or a range past the end
            }
        }
    }
    return 0;
}
