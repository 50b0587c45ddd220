// Win32Sound (winmm's PlaySoundW) and Win32Shell (shell32's ShellExecuteW), with the game's UTF-8 paths.
#include <windows.h>
// After windows.h:
#include <mmsystem.h>
#include <shellapi.h>

#include "platform/library.h"
#include "platform/win32.h"

namespace platform {

void Win32Sound::play(const std::string& path) {
    // A new sound cuts off the one playing; a missing file plays nothing, not the default sound.
    PlaySoundW(filePath(path).c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
}

void Win32Sound::stop() { PlaySoundW(nullptr, nullptr, SND_ASYNC); }

bool Win32Shell::open(const std::string& target, const std::string& directory) {
    // A result of 32 or less is the shell's failure code.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(GetDesktopWindow(), L"open", filePath(target).c_str(), L"", filePath(directory).c_str(),
                      SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace platform
