// The SDL clipboard on a real X display: Windows-1252 text goes to the X clipboard (whose owner the
// server then knows) and comes back byte for byte; without SDL's video nothing is claimed.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/sdl.h"
#include "platform/sdl_clipboard.h"

// Xlib last: its macros (None, Bool) would otherwise reach the headers above.
#include <X11/Xlib.h>

namespace {

TEST(SdlClipboardOnX11, TextGoesToTheXClipboardAndComesBackInTheGamesCodePage) {
    platform::SdlClipboard clipboard;
    {
        platform::SdlSession session;
        EXPECT_FALSE(clipboard.setText("no video yet"));
        EXPECT_FALSE(clipboard.getText());
    }
    struct {
        platform::SdlSession session;
        platform::SdlUi ui;
    } p;
    ASSERT_TRUE(p.ui.ok()) << p.ui.error();

    const std::string text = "Varnook daily 2026-12-08 (5x5-4711): 38/41 words, caf\xE9 \x80";
    ASSERT_TRUE(clipboard.setText(text));
    EXPECT_EQ(clipboard.getText(), text);

    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    EXPECT_NE(XGetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False)), 0u);
    XCloseDisplay(display);
}

}  // namespace
