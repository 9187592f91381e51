// The real program on the offscreen platform, in a home folder of its own.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

TEST(MorvikProgramTest, StartsItsWindowAndRunsUntilItIsEnded) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", home.path());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(home.path());
    program.start(MORVIK_PROGRAM, {});
    ASSERT_TRUE(program.waitForStarted(10000));
    // A program that fails to start its window ends at once; this one waits for its user.
    EXPECT_FALSE(program.waitForFinished(3000)) << "ended with " << program.exitCode() << ": "
                                                << program.readAllStandardError().toStdString();
    program.kill();
    program.waitForFinished(10000);
}
