// Win32Sound (winmm's sndPlaySoundA) and Win32Shell (shell32's ShellExecuteA).
#include <windows.h>
// After windows.h:
#include <mmsystem.h>
#include <shellapi.h>

#include "platform/win32.h"

namespace platform {

namespace {

// What the shell's result (32 or less) means.
std::string shellFailure(INT_PTR code) {
    switch (code) {
        case 0:
        case SE_ERR_OOM: return "The system is out of memory.";
        case SE_ERR_FNF: return "The file was not found.";
        case SE_ERR_PNF: return "The folder was not found.";
        case SE_ERR_ACCESSDENIED: return "Access was denied.";
        case SE_ERR_SHARE: return "The file is in use.";
        case SE_ERR_NOASSOC: return "No program is associated with this kind of file.";
        case SE_ERR_DLLNOTFOUND: return "A library the opening program needs was not found.";
        default: return "The shell could not open it (error " + std::to_string(code) + ").";
    }
}

}  // namespace

void Win32Sound::play(const std::string& path) {
    // A new sound cuts off the one playing; a missing file plays nothing, not the default sound.
    sndPlaySoundA(path.c_str(), SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
}

void Win32Sound::stop() { sndPlaySoundA(nullptr, SND_ASYNC); }

void Win32Shell::open(const std::string& target, const std::string& directory) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(GetDesktopWindow(), "open", target.c_str(), "", directory.c_str(), SW_SHOWNORMAL));
    if (result <= 32) ui_.messageBox(title_, "Windows could not open " + target + ".\n\n" + shellFailure(result));
}

}  // namespace platform
