// varnook, the game program: the command line, the desktop services, then the start-up sequence
// from the program's own folder; the main window's event loop runs until the window is unloaded.
#include <cstdio>
#include <iostream>
#include <string>

#include "game/app/command_line.h"
#include "game/persistence/startup.h"
#include "game/ui/frm_play.h"
#include "game/ui/frm_play_flow.h"
#include "game/ui/frm_play_records.h"
#include "platform/library.h"
#include "platform/sdl.h"
#include "platform/store/file_store.h"

namespace {

// The parts of the game that plug into the main window.
void connect(game::Program& p) {
    game::ui::connectPlayFlow(*p.frmPlay, *p.services.ui, *p.services.graphics, p.game, p.sheet);
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto status = game::app::respond(game::app::parseCommandLine(argc, argv), std::cout, std::cerr))
        return *status;

    platform::SdlPlatform desktop;
    if (!desktop.ui.ok()) {
        std::fprintf(stderr, "varnook: no display: %s\n", desktop.ui.error().c_str());
        return 1;
    }

    // Settings, Hall of Fame and the saved game live in the settings store under XDG_CONFIG_HOME.
    platform::FileStore store(platform::FileStore::defaultFolder());

    game::StartupHooks hooks;
    hooks.connect = connect;
    game::ui::addRecordsHooks(hooks);
    std::string failure;
    auto program = game::Program::start(desktop.services(&store), platform::programFolder(), hooks, &failure);
    if (!program) {
        std::fprintf(stderr, "varnook: %s\n", failure.c_str());
        desktop.ui.messageBox(game::kAppTitle, failure);
        return 1;
    }
    desktop.ui.run();
    return 0;
}
