// The Win32 clipboard under wine: the game's Windows-1252 text is read back the same, and a program
// that asks for Unicode gets the same letters.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32_clipboard.h"

namespace {

TEST(Win32Clipboard, TextComesBackTheSameAsCfTextAndAsUnicode) {
    platform::Win32Clipboard clipboard;
    const std::string text = "Varnook 5x5-4711: 38/41 words, caf\xE9 \x80";
    ASSERT_TRUE(clipboard.setText(text));
    EXPECT_EQ(clipboard.getText(), text);

    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(wide, nullptr);
    const std::wstring unicode(static_cast<const wchar_t*>(GlobalLock(wide)));
    GlobalUnlock(wide);
    HANDLE bytes = GetClipboardData(CF_TEXT);
    ASSERT_NE(bytes, nullptr);
    const std::string ansi(static_cast<const char*>(GlobalLock(bytes)));
    GlobalUnlock(bytes);
    CloseClipboard();
    EXPECT_EQ(ansi, text);
    EXPECT_EQ(unicode.substr(unicode.size() - 6), L"caf\u00E9 \u20AC");
}

}  // namespace
