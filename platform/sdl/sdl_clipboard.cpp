// The SDL clipboard: Windows-1252 text converted to UTF-8 on the way out and back on the way in.
#include "platform/sdl_clipboard.h"

#include <SDL.h>

#include "platform/codepage.h"

namespace platform {

bool SdlClipboard::setText(const std::string& text) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
    return SDL_SetClipboardText(codepage::toUtf8(text).c_str()) == 0;
}

std::optional<std::string> SdlClipboard::getText() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || !SDL_HasClipboardText()) return std::nullopt;
    char* utf8 = SDL_GetClipboardText();
    if (utf8 == nullptr) return std::nullopt;
    std::string text;
    for (const char32_t c : codepage::fromUtf8(utf8)) text += codepage::fromCodePoint(c).value_or('?');
    SDL_free(utf8);
    return text;
}

}  // namespace platform
