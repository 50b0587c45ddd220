// varnook, the game program: the desktop services, then the start-up sequence from the program's
// own folder; the main window's event loop runs until the window is unloaded.
#include <cstdio>
#include <string>

#include "game/app/program.h"
#include "game/persistence/records_layout.h"
#include "platform/library.h"
#include "platform/sdl.h"
#include "platform/store/file_store.h"

int main() {
    platform::SdlPlatform desktop;
    if (!desktop.ui.ok()) {
        std::fprintf(stderr, "varnook: no display to show the game on: %s\n", desktop.ui.error().c_str());
        return 1;
    }

    // Settings, Hall of Fame and the saved game live in the settings store under XDG_CONFIG_HOME.
    platform::FileStore store(platform::FileStore::defaultFolder());

    std::string failure;
    auto program = game::Program::start(desktop.services(&store), platform::programFolder(), &failure);
    if (!program) {
        std::fprintf(stderr, "varnook: %s\n", failure.c_str());
        desktop.ui.messageBox(game::kAppTitle, failure);
        return 1;
    }
    desktop.ui.run();
    return 0;
}
