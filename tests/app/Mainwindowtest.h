#pragma once
// The base of the main window's tests: the program lives in a temporary folder of its own and
// is started through its entry as the user starts it, with or without an argument; the test's
// session runs on the running window, and the Quit button ends it.

#include "toolkit/Headlesstest.h"

#include "app/Groupmain.h"
#include "app/Morvik.h"
#include "archive/Grpformat.h"
#include "toolkit/Sysutils.h"
#include "widgets/Ornglyphresources.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

// The bytes of a group file in the standard form holding these entries (name, contents), in
// this order: what a test puts on disk or expects to find there.
inline std::string GroupFileBytes(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> image;
    for (const auto& [name, contents] : entries) {
        image.emplace_back(name, std::vector<std::uint8_t>(contents.begin(), contents.end()));
    }
    const std::vector<std::uint8_t> bytes = BuildGrpImage(image);
    return std::string(bytes.begin(), bytes.end());
}

class MainWindowTest : public HeadlessTest {
protected:
    TTempFolder Program;
    TTempFolder Work;

    void SetUp() override {
        HeadlessTest::SetUp();
        Headless.SetExeName(Program / "Morvik.exe");
        AddOrnGlyphResources(Headless);
        StartWith("");
    }
    void TearDown() override {
        EXPECT_EQ(frmMain, nullptr) << "the main window outlived the program";
        EXPECT_EQ(Application().ComponentCount(), 0) << "a window outlived the program";
        HeadlessTest::TearDown();
    }

    // The command line of the next run: the program and, unless empty, one argument.
    void StartWith(const std::string& argument) {
        std::string line = "\"";
        line += Program / "Morvik.exe";
        line += '"';
        if (!argument.empty()) {
            line += " \"" + argument + "\"";
        }
        Headless.SetCommandLine(line);
    }

    // Starts the program, runs session on its window, and then, when quit, clicks "&Quit".
    // Returns the program's exit code.
    int Run(const std::function<void(TfrmMain&)>& session, bool quit = true) {
        Headless.QueueLoopAction([&] {
            ASSERT_NE(frmMain, nullptr);
            session(*frmMain);
        });
        if (quit) {
            Headless.QueueLoopAction([this] {
                if (frmMain) {
                    Headless.UserClick(*frmMain->btnQuit);
                }
            });
        }
        return MorvikMain();
    }

    std::string SettingsPath() const { return Program / "Morvik.ini"; }
    std::string ReadSettings() const { return ReadFile(SettingsPath()); }
    void WriteSettings(const std::string& text) const {
        std::ofstream(SettingsPath(), std::ios::binary) << text;
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // A click on item index of list, as the user makes it (Ctrl to add a mark).
    void ClickItem(TListBox& list, int index, TShiftState shift = 0) {
        for (int y = 0; y < list.ClientHeight(); ++y) {
            if (list.ItemAtPos({10, y}) == index) {
                Headless.UserClickAt(list, 10, y, shift);
                return;
            }
        }
        ADD_FAILURE() << "no item " << index << " in " << list.Name();
    }
    // Marks exactly the items of list that hold one of names.
    void MarkItems(TListBox& list, const std::vector<std::string>& names) {
        bool first = true;
        for (const std::string& name : names) {
            const int index = list.Items().IndexOf(name);
            ASSERT_GE(index, 0) << name << " is not in " << list.Name();
            ClickItem(list, index, first ? 0 : ssCtrl);
            first = false;
        }
    }

    static std::vector<std::string> Items(const TListBox& list) { return list.Items().Texts(); }
    static std::vector<std::string> Marked(const TListBox& list) {
        std::vector<std::string> marked;
        for (int i = 0; i < list.Items().Count(); ++i) {
            if (list.Selected(i)) {
                marked.push_back(list.Items()[i]);
            }
        }
        return marked;
    }
};
