// The system's words for an error, as the file services and the shell put them into messages.

#include "platform/os/Systemerror.h"

#include <gtest/gtest.h>

TEST(SystemErrorText, IsTheSystemsSentenceWithoutItsEnding) {
    const std::string text = SystemErrorText(2); // ERROR_FILE_NOT_FOUND
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find("Windows error"), std::string::npos) << text;
    const char last = text.back();
    EXPECT_TRUE(last != '.' && last != '\n' && last != '\r' && last != ' ') << text;
}

TEST(SystemErrorText, NamesACodeWithoutTextByItsNumber) {
    // Codes the system has no text for: an error code in decimal, an HRESULT in hexadecimal.
    EXPECT_EQ(SystemErrorText(987654321ul), "Windows error 987654321");
    EXPECT_EQ(SystemErrorText(0xA0F71234ul), "Windows error 0xA0F71234");
}
