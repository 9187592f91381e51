#pragma once
// Checks of a message dialog as the headless platform recorded it.

#include "platform/headless/Pngwriter.h"
#include "toolkit/Headlesstest.h"

#include <gtest/gtest.h>

#include <string>

// The dialog's picture shows the system icon at the place of its "Image" control: every pixel
// of the icon that is not transparent. On a difference the picture is saved beside the test
// program.
inline ::testing::AssertionResult ShowsIcon(const TShownDialog& dialog, TSystemIcon id) {
    const TShownControl* image = dialog.Find("Image");
    if (!image) {
        return ::testing::AssertionFailure() << "the dialog has no icon";
    }
    const TBitmap icon = Platform().SystemIcon(id);
    for (int y = 0; y < icon.Height(); ++y) {
        for (int x = 0; x < icon.Width(); ++x) {
            const TColor expected = icon.Pixel(x, y);
            if (expected == clFuchsia) {
                continue;
            }
            const TPoint at{image->Bounds.Left + x, image->Bounds.Top + y};
            if (dialog.Image.Pixel(at.X, at.Y) != expected) {
                const ::testing::TestInfo* test =
                    ::testing::UnitTest::GetInstance()->current_test_info();
                const std::string file =
                    std::string(test->test_suite_name()) + "." + test->name() + ".png";
                WritePng(file, dialog.Image);
                return ::testing::AssertionFailure()
                       << "icon " << int(id) << " differs at (" << at.X << ", " << at.Y
                       << "); the picture is in " << file;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// The text of the dialog's "Message" label, or a note that it has none.
inline std::string MessageOf(const TShownDialog& dialog) {
    const TShownControl* message = dialog.Find("Message");
    return message ? message->Caption : "<no message>";
}
