// The clipboard through SDL (SDL_SetClipboardText / SDL_GetClipboardText), in UTF-8 there.
// Needs SDL's video subsystem, which the SDL session starts; without it both calls fail.
#pragma once

#include "platform/clipboard.h"

namespace platform {

class SdlClipboard final : public Clipboard {
public:
    bool setText(const std::string& text) override;
    std::optional<std::string> getText() override;
};

}  // namespace platform
