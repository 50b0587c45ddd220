// The Win32 clipboard (OpenClipboard, SetClipboardData): text goes on as CF_TEXT in Windows-1252
// and as CF_UNICODETEXT, so that a program reading Unicode gets the same letters whatever the
// system's code page; it is read back from CF_UNICODETEXT.
#pragma once

#include "platform/clipboard.h"

namespace platform {

class Win32Clipboard final : public Clipboard {
public:
    bool setText(const std::string& text) override;
    std::optional<std::string> getText() override;
};

}  // namespace platform
