// The one QApplication of the test program, on the offscreen platform so that no display is
// needed; made before the first test and ended after the last.

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <memory>

namespace {

class TQtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        // The environment wins over a display the caller may have.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        Application = std::make_unique<QApplication>(Argc, Argv);
    }
    void TearDown() override { Application.reset(); }

private:
    int Argc = 1;
    char Name[9] = "qt_tests";
    char* Argv[2] = {Name, nullptr};
    std::unique_ptr<QApplication> Application;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new TQtEnvironment);

} // namespace
