// The desktop's clipboard, for text: the game's text is Windows-1252 both ways.
// Back ends: HeadlessClipboard (here: memory only, for tests), SdlClipboard (sdl_clipboard.h),
// Win32Clipboard (win32_clipboard.h).
#pragma once

#include <optional>
#include <string>

namespace platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Puts text on the clipboard in place of what was there. False when the clipboard could not be
    // had (another program holds it, no display).
    virtual bool setText(const std::string& text) = 0;
    // The clipboard's text; a character the code page lacks comes back as '?'. nullopt when the
    // clipboard holds no text or could not be had.
    virtual std::optional<std::string> getText() = 0;
};

// Keeps the text in memory, for tests and programs without a desktop.
class HeadlessClipboard final : public Clipboard {
public:
    bool setText(const std::string& text) override {
        text_ = text;
        return true;
    }
    std::optional<std::string> getText() override { return text_; }

private:
    std::optional<std::string> text_;
};

}  // namespace platform
