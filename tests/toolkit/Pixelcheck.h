#pragma once
// Pixel comparisons for canvas tests. When one fails, the canvas is saved as
// <suite>.<test>.png in the working folder (the test's build folder) so that the picture can be
// looked at, and the message names the first differing pixel.

#include "platform/headless/Pngwriter.h"
#include "platform/headless/Softcanvas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

inline std::string HexColor(TColor c) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return c == clNone ? "none" : text;
}

inline ::testing::AssertionResult SavedFailure(const TSoftCanvas& canvas, const std::string& what) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string file = std::string(test->test_suite_name()) + "." + test->name() + ".png";
    const bool saved = WritePng(file, canvas);
    return ::testing::AssertionFailure()
           << what << (saved ? "; the picture is in " + file : "; the picture could not be saved");
}

// The whole canvas against rows of letters, each letter a colour of palette.
inline ::testing::AssertionResult ImageIs(const TSoftCanvas& canvas,
                                          const std::vector<std::string>& rows,
                                          const std::map<char, TColor>& palette) {
    if (int(rows.size()) != canvas.Height()) {
        return SavedFailure(canvas, "the expected picture has the wrong height");
    }
    for (int y = 0; y < canvas.Height(); ++y) {
        if (int(rows[std::size_t(y)].size()) != canvas.Width()) {
            return SavedFailure(canvas,
                                "expected row " + std::to_string(y) + " has the wrong width");
        }
        for (int x = 0; x < canvas.Width(); ++x) {
            const char letter = rows[std::size_t(y)][std::size_t(x)];
            const TColor expected = palette.at(letter);
            const TColor actual = canvas.Pixel(x, y);
            if (actual != expected) {
                return SavedFailure(canvas, "pixel (" + std::to_string(x) + ", " +
                                                std::to_string(y) + ") is " + HexColor(actual) +
                                                ", expected '" + letter + "' " +
                                                HexColor(expected));
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// The pixels of row y from x = 0 on.
inline ::testing::AssertionResult RowIs(const TSoftCanvas& canvas, int y,
                                        const std::vector<TColor>& expected) {
    for (std::size_t x = 0; x < expected.size(); ++x) {
        const TColor actual = canvas.Pixel(int(x), y);
        if (actual != expected[x]) {
            return SavedFailure(canvas, "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                            ") is " + HexColor(actual) + ", expected " +
                                            HexColor(expected[x]));
        }
    }
    return ::testing::AssertionSuccess();
}

// Every pixel of r is color.
inline ::testing::AssertionResult AreaIs(const TSoftCanvas& canvas, const TRect& r, TColor color) {
    for (int y = r.Top; y < r.Bottom; ++y) {
        for (int x = r.Left; x < r.Right; ++x) {
            if (canvas.Pixel(x, y) != color) {
                return SavedFailure(
                    canvas, "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                                HexColor(canvas.Pixel(x, y)) + ", expected " + HexColor(color));
            }
        }
    }
    return ::testing::AssertionSuccess();
}
