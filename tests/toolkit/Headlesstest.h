#pragma once
// The base of tests on the headless platform: a fresh THeadlessPlatform installed for each test,
// and at the end a check that the modal script was used up and no script mistake ended up in an
// error box. Also a temporary folder that is removed with everything in it.

#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class HeadlessTest : public ::testing::Test {
protected:
    THeadlessPlatform Headless;

    void SetUp() override { Previous = InstallPlatform(&Headless); }
    void TearDown() override {
        EXPECT_EQ(Headless.PendingAnswers(), 0u) << "answers left over in the modal script";
        for (const TShownError& error : Headless.Errors()) {
            EXPECT_NE(error.Message.rfind(ScriptErrorPrefix, 0), 0u) << error.Message;
        }
        InstallPlatform(Previous);
    }

private:
    TPlatform* Previous = nullptr;
};

class TTempFolder {
public:
    TTempFolder() {
        std::random_device random;
        Path = std::filesystem::temp_directory_path() /
               ("morvik-toolkit-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(Path);
    }
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder as the toolkit writes paths, without a trailing delimiter.
    std::string Name() const { return Path.string(); }
    std::string operator/(const std::string& name) const { return (Path / name).string(); }
    void AddFile(const std::string& name, const std::string& contents = "x") const {
        std::ofstream(Path / name, std::ios::binary) << contents;
    }
    void AddFolder(const std::string& name) const {
        std::filesystem::create_directories(Path / name);
    }

private:
    std::filesystem::path Path;
};
