// Fuzz target: the name list of "create --from", on arbitrary bytes. The list must come back
// the same when written out again one name a line (with either line end), and every name that
// creation would accept as an entry name must survive a group file's directory and be
// extracted again under the same name: what create packs, extract takes back.

#include "archive/Grpextract.h"
#include "archive/Grpformat.h"
#include "cli/Namelist.h"
#include "toolkit/Sysutils.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadText(const std::string& text) {
    std::istringstream stream(text);
    return ReadNameList(stream);
}

std::string Join(const std::vector<std::string>& names, const char* lineEnd) {
    std::string text;
    for (const std::string& name : names) {
        text += name + lineEnd;
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> names = ReadText(text);

    std::size_t nameBytes = 0;
    bool endsInCr = false;
    for (const std::string& name : names) {
        if (name.empty() || name.find('\n') != std::string::npos) {
            std::abort(); // a blank line or a line end taken as a name
        }
        nameBytes += name.size();
        // Only one CR before the LF belongs to the line end: "A\r\r\n" names "A\r", which
        // creation then refuses for its control byte.
        endsInCr = endsInCr || name.back() == '\r';
    }
    if (nameBytes > size) {
        std::abort(); // names made up from nothing
    }

    // A list written one name a line (as "list --names" does) is read back as it was written.
    if (ReadText(Join(names, "\r\n")) != names) {
        std::abort();
    }
    if (!endsInCr && ReadText(Join(names, "\n")) != names) {
        std::abort();
    }

    // The names creation accepts, each the last part of its line's path, packed and read again.
    std::vector<TGrpRecord> records;
    for (const std::string& name : names) {
        const std::string entryName = ExtractFileName(name);
        if (FitsGrpName(entryName) && CheckExtractName(entryName).Ok()) {
            records.push_back({entryName, 0});
        }
    }
    const std::vector<std::uint8_t> image = BuildGrpDirectory(records);
    const auto directory = ParseGrpDirectory(image, image.size());
    if (!directory.Ok() || directory.Value().Entries.size() != records.size()) {
        std::abort();
    }
    const std::vector<std::string> packed = GrpEntryNames(directory.Value());
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (packed[i] != records[i].Name) {
            std::abort(); // a name that does not survive the directory
        }
    }
    if (!PlanGrpExtraction(directory.Value(), packed).Ok()) {
        std::abort(); // creation packed a name that extraction refuses
    }
    return 0;
}
