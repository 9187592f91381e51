// Times morvik-cli on generated data beside the system's own copy of the same bytes, in one run,
// and prints the ratios:
//   create:  morvik-cli create of a 256 MiB group file from 200 files  /  cat of the same files
//   extract: morvik-cli extract of all of it into a fresh folder       /  cp of the files into one
//   list:    morvik-cli list --names of a group file with 100,000 entries, whose data area is a
//            hole of several GiB: it is fast only when listing reads just the header and the
//            directory; beside it, head -c reading those same bytes.
//   crc:     morvik-cli list (which also reads the whole file for its CRC-32) of the 256 MiB
//            group file  /  cat of it to /dev/null.
//   add:     morvik-cli add of one 1 KiB file to a copy of the 256 MiB group file, which writes
//            the whole file anew beside the old one, flushes it to the disk and renames it into
//            place  /  cp of the group file to a new name. Beside it, the same against cp
//            followed by sync of the copy, which makes the copy as durable as the edit.
//   gradient: DrawGradient painting a 160 x 24 menu item on the software canvas, in each of its
//            four styles  /  one FillRect of the same rectangle.
//   bar:     the side bar of a bar popup menu, 32 x 400 with gradient, picture and caption,
//            rendered once into its double buffer  /  copying its slices beside 16 items of 25
//            pixels, as every later painting of the menu does.
//   window:  the main window listing a group file of 20,000 entries on the headless platform
//            (Windowlisting.h; window_listing_bench gives the same figure for the Win32 list
//            box under Wine).
// Each command runs several times and the fastest run counts, so that a busy moment of the
// machine does not decide the figure. Usage: grp_bench [--window-only] [work-folder] (default: a
// folder under /tmp, removed at the end); --window-only gives the window's figure alone.

#include "Windowlisting.h"

#include "menus/Barmenus.h"
#include "menus/Barpainting.h"
#include "menus/Drawgradient.h"
#include "platform/headless/Headless.h"
#include "platform/headless/Softcanvas.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int fileCount = 200;
constexpr std::uint64_t totalBytes = 256ull << 20;
constexpr int listEntries = 100000;
constexpr int runs = 5;

std::string Quote(const fs::path& p) {
    return "'" + p.string() + "'";
}

// Runs command through the shell and returns its duration in seconds; stops the benchmark when
// the command fails, since a failing command is not a measurement.
double Time(const std::string& command) {
    auto start = std::chrono::steady_clock::now();
    int status = std::system(command.c_str());
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (status != 0) {
        std::fprintf(stderr, "grp_bench: command failed (%d): %s\n", status, command.c_str());
        std::exit(1);
    }
    return seconds;
}

// The fastest of several runs of command, each after prepare.
double Best(const std::string& prepare, const std::string& command) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        if (!prepare.empty()) {
            Time(prepare);
        }
        best = std::min(best, Time(command));
    }
    return best;
}

void WriteFile(const fs::path& path, std::uint64_t size, std::mt19937_64& random) {
    std::vector<std::uint64_t> block(1 << 16);
    std::ofstream out(path, std::ios::binary);
    while (size > 0) {
        for (auto& word : block) {
            word = random();
        }
        std::uint64_t n = std::min<std::uint64_t>(size, block.size() * 8);
        out.write(reinterpret_cast<const char*>(block.data()), std::streamsize(n));
        size -= n;
    }
}

void PutU32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        s += char((v >> (8 * i)) & 0xFF);
    }
}

// A group file of listEntries entries of 64 KiB each whose data area is never written: a sparse
// file of about 6 GiB of which only the header and the directory occupy the disk.
void WriteLargeDirectory(const fs::path& path) {
    std::string head = "KenSilverman";
    PutU32(head, listEntries);
    for (int i = 0; i < listEntries; ++i) {
        char name[13];
        std::snprintf(name, sizeof name, "E%07d.DAT", i);
        std::string field(name);
        field.resize(12, '\0');
        head += field;
        PutU32(head, 64 * 1024);
    }
    {
        std::ofstream out(path, std::ios::binary);
        out.write(head.data(), std::streamsize(head.size()));
    }
    fs::resize_file(path, head.size() + std::uint64_t(listEntries) * 64 * 1024);
}

// Seconds per call of paint, the fastest of several runs of many calls.
template <class Paint>
double PerCall(Paint paint) {
    constexpr int calls = 2000;
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        for (int call = 0; call < calls; ++call) {
            paint();
        }
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                      calls);
    }
    return best;
}

// A menu item's background painted with each gradient style, against the plain fill that an
// item without a gradient costs.
void GradientFigures() {
    THeadlessPlatform headless;
    InstallPlatform(&headless);
    TSoftCanvas canvas(160, 24);
    const TRect item = Rect(0, 0, 160, 24);
    canvas.Brush.Color = clSilver;
    const double fill = PerCall([&] { canvas.FillRect(item); });
    const struct {
        TGradientStyle Style;
        const char* Name;
    } styles[] = {{gsHorizontal, "horizontal"},
                  {gsVertical, "vertical"},
                  {gsDiagonalLeftRight, "diagonal left-right"},
                  {gsDiagonalRightLeft, "diagonal right-left"}};
    std::printf("\n%-44s %9s %9s %7s\n", "160 x 24 item on the software canvas", "gradient", "fill",
                "ratio");
    for (const auto& style : styles) {
        const double gradient = PerCall(
            [&] { DrawGradient(nullptr, &canvas, item, RGB(0, 0, 128), clSilver, style.Style); });
        std::printf("%-44s %7.2fus %7.2fus %7.1f\n",
                    (std::string("DrawGradient ") + style.Name + " / FillRect").c_str(),
                    gradient * 1e6, fill * 1e6, gradient / fill);
    }
    InstallPlatform(nullptr);
}

// The side bar rendered once against the slices that the items of one popup copy from it.
void BarFigures() {
    THeadlessPlatform headless;
    InstallPlatform(&headless);
    constexpr int items = 16;
    constexpr int itemHeight = 25;
    {
        TBcBarPopupMenu menu(nullptr);
        TBcBar& bar = menu.Bar();
        bar.BarCaption().Caption = "Morvik";
        bar.BarCaption().ShadowColor = clBlack;
        TBitmap picture(16, 16);
        bar.BarPicture().SetPicture(&picture);
        TBcBarProtected& state = menu.GetBarProtected();
        state.SetPopupHeight(items * itemHeight);
        TBitmap& buffer = state.GetBarDoubleBuffer();
        buffer.SetSize(bar.Width(), items * itemHeight);
        const TRect whole = Rect(0, 0, buffer.Width(), buffer.Height());
        const double render = PerCall([&] {
            DrawBarGradient(menu, whole);
            DrawBarBackPicture(menu);
            DrawBarPicture(menu);
            DrawBarCaption(menu, whole);
        });
        TSoftCanvas window(160, items * itemHeight);
        const double slices = PerCall([&] {
            for (int i = 0; i < items; ++i) {
                const int top = i * itemHeight;
                DrawDoubleBuffer(menu, window, Rect(3, top, 35, top + itemHeight),
                                 Rect(0, top, 32, top + itemHeight));
            }
        });
        std::printf("\n%-44s %9s %9s %7s\n", "32 x 400 side bar, 16 items", "render", "slices",
                    "ratio");
        std::printf("%-44s %7.2fus %7.2fus %7.1f\n", "bar rendered once / 16 slices copied",
                    render * 1e6, slices * 1e6, render / slices);
    }
    InstallPlatform(nullptr);
}

// The window listing a large group file, on the headless platform.
void WindowFigures(const fs::path& work) {
    THeadlessPlatform headless;
    InstallPlatform(&headless);
    const fs::path folder = work / "window";
    fs::create_directories(folder);
    PrintWindowListing(folder.string(), "headless");
    InstallPlatform(nullptr);
}

} // namespace

int main(int argc, char** argv) {
    const bool windowOnly = argc > 1 && std::string(argv[1]) == "--window-only";
    const int folderArgument = windowOnly ? 2 : 1;
    const fs::path cli = MORVIK_CLI;
    const bool ownFolder = argc <= folderArgument;
    const fs::path work =
        ownFolder ? fs::temp_directory_path() / ("grp_bench." + std::to_string(getpid()))
                  : fs::path(argv[folderArgument]);
    WindowFigures(work);
    if (windowOnly) {
        if (ownFolder) {
            fs::remove_all(work);
        }
        return 0;
    }
    GradientFigures();
    BarFigures();

    const fs::path data = work / "data";
    fs::create_directories(data);

    std::printf("generating %d files, %llu MiB in all, in %s\n", fileCount,
                (unsigned long long)(totalBytes >> 20), data.c_str());
    std::mt19937_64 random(2026);
    std::vector<std::string> names;
    std::uint64_t left = totalBytes;
    for (int i = 0; i < fileCount; ++i) {
        // Sizes vary around the mean; the last file takes what is left.
        std::uint64_t size =
            i + 1 == fileCount
                ? left
                : std::min(left, totalBytes / fileCount / 2 + random() % (totalBytes / fileCount));
        char name[13];
        std::snprintf(name, sizeof name, "F%03d.DAT", i);
        names.push_back(name);
        WriteFile(data / name, size, random);
        left -= size;
    }
    std::string files;
    for (const auto& n : names) {
        files += " " + n;
    }
    const std::string inData = "cd " + Quote(data) + " && ";
    Time(inData + "cat" + files + " >/dev/null"); // warm the page cache for both sides

    const fs::path group = work / "BENCH.GRP";
    const fs::path plain = work / "plain.cat";
    double create = Best("rm -f " + Quote(group),
                         inData + Quote(cli) + " create " + Quote(group) + files + " >/dev/null");
    double cat = Best("rm -f " + Quote(plain), inData + "cat" + files + " > " + Quote(plain));

    const fs::path out = work / "out";
    const fs::path copy = work / "copy";
    double extract = Best("rm -rf " + Quote(out), Quote(cli) + " extract " + Quote(group) + " -d " +
                                                      Quote(out) + " >/dev/null");
    double cp = Best("rm -rf " + Quote(copy) + " && mkdir " + Quote(copy),
                     inData + "cp" + files + " " + Quote(copy));

    const fs::path large = work / "LARGE.GRP";
    WriteLargeDirectory(large);
    double list = Best("", Quote(cli) + " list --names " + Quote(large) + " >/dev/null");
    double readDirectory = Best("", "head -c " + std::to_string(16 + 16 * listEntries) + " " +
                                        Quote(large) + " >/dev/null");
    double crc = Best("", Quote(cli) + " list " + Quote(group) + " >/dev/null");
    double catGroup = Best("", "cat " + Quote(group) + " >/dev/null");

    // Each run edits a fresh copy whose data is on the disk, so that no writeback of the copy
    // is left to compete with the edit.
    const fs::path edited = work / "EDIT.GRP";
    const fs::path small = work / "ONE.DAT";
    WriteFile(small, 1024, random);
    const fs::path copied = work / "COPY.GRP";
    double add = Best("cp " + Quote(group) + " " + Quote(edited) + " && sync",
                      Quote(cli) + " add " + Quote(edited) + " " + Quote(small) + " >/dev/null");
    double cpGroup =
        Best("rm -f " + Quote(copied) + " && sync", "cp " + Quote(group) + " " + Quote(copied));
    double cpSync = Best("rm -f " + Quote(copied) + " && sync",
                         "cp " + Quote(group) + " " + Quote(copied) + " && sync " + Quote(copied));

    std::printf("\n%-44s %9s %9s %7s\n", "", "morvik", "system", "ratio");
    std::printf("%-44s %8.3fs %8.3fs %7.2f\n", "create 256 MiB from 200 files / cat", create, cat,
                create / cat);
    std::printf("%-44s %8.3fs %8.3fs %7.2f\n", "extract all 200 entries / cp", extract, cp,
                extract / cp);
    std::printf("%-44s %8.3fs %8.3fs %7.2f\n", "list --names, 100,000 entries / head -c", list,
                readDirectory, list / readDirectory);
    std::printf("%-44s %8.3fs %8.3fs %7.2f\n", "list with CRC-32 of 256 MiB / cat", crc, catGroup,
                crc / catGroup);
    std::printf("%-44s %8.3fs %8.3fs %7.2f\n", "add 1 KiB to 256 MiB / cp", add, cpGroup,
                add / cpGroup);
    std::printf("%-44s %8.3fs %8.3fs %7.2f\n", "add 1 KiB to 256 MiB / cp and sync", add, cpSync,
                add / cpSync);
    std::printf("(fastest of %d runs each; targets: create and extract ratios at most 1.3, add "
                "against cp at most 1.2)\n",
                runs);

    if (ownFolder) {
        fs::remove_all(work);
    }
    return 0;
}
