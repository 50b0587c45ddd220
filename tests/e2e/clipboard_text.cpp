// Prints the X clipboard's text (as the game's code page, through the game's own SDL clipboard) to
// standard output: the end-to-end scripts read back what the program copied. Exit status 1 when the
// clipboard holds no text, 2 without a display.
#include <cstdio>

#include "platform/sdl.h"
#include "platform/sdl_clipboard.h"

int main() {
    platform::SdlSession session;
    platform::SdlUi ui;
    if (!ui.ok()) return 2;
    platform::SdlClipboard clipboard;
    const auto text = clipboard.getText();
    if (!text) return 1;
    std::fwrite(text->data(), 1, text->size(), stdout);
    return 0;
}
