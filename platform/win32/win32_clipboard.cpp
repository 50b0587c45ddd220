// The Win32 clipboard: CF_TEXT and CF_UNICODETEXT out, CF_UNICODETEXT (or CF_TEXT) in.
#include "platform/win32_clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/codepage.h"

namespace platform {

namespace {

// Another program may hold the clipboard for a moment; a few tries, then give up.
bool openClipboard() {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(10);
    }
    return false;
}

// A movable global block holding bytes, as SetClipboardData takes it; the clipboard owns it once set.
bool setData(UINT format, const void* bytes, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) return false;
    void* at = GlobalLock(block);
    if (at == nullptr) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(at, bytes, size);
    GlobalUnlock(block);
    if (SetClipboardData(format, block) == nullptr) {
        GlobalFree(block);
        return false;
    }
    return true;
}

std::wstring toWide(const std::string& text) {
    std::wstring wide;
    for (const unsigned char byte : text) {
        const char32_t c = codepage::toCodePoint(byte);
        wide += static_cast<wchar_t>(c);  // every code point of Windows-1252 is in the BMP
    }
    return wide;
}

}  // namespace

bool Win32Clipboard::setText(const std::string& text) {
    if (!openClipboard()) return false;
    const std::wstring wide = toWide(text);
    const bool ok = EmptyClipboard() && setData(CF_TEXT, text.c_str(), text.size() + 1) &&
                    setData(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    CloseClipboard();
    return ok;
}

std::optional<std::string> Win32Clipboard::getText() {
    if (!openClipboard()) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            std::string out;
            for (const wchar_t* p = wide; *p != 0; ++p) {
                // UTF-16: a surrogate pair is one character the code page lacks.
                if (*p >= 0xD800 && *p <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) ++p;
                out += codepage::fromCodePoint(static_cast<char32_t>(*p)).value_or('?');
            }
            GlobalUnlock(data);
            text = std::move(out);
        }
    } else if (HANDLE bytes = GetClipboardData(CF_TEXT)) {
        if (const auto* chars = static_cast<const char*>(GlobalLock(bytes))) {
            text = std::string(chars);
            GlobalUnlock(bytes);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace platform
