// varnook, the game program: the command line, the desktop services, then the start-up sequence
// from the program's own folder; the main window's event loop runs until the window is unloaded.
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "game/app/command_line.h"
#include "game/app/program.h"
#include "game/play/rules.h"
#include "game/ui/strings.h"
#include "platform/desktop.h"
#include "platform/desktop_language.h"
#include "platform/library.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args = platform::Desktop::arguments(argc, argv);
    // What the command line says is said in the desktop's language, its usage in the one asked for.
    const game::letters::Language desktopLanguage = game::letters::fromDesktop(platform::desktopLanguages());
    game::ui::setTextLanguage(game::letters::info(desktopLanguage).code);
    const game::app::CommandLine line =
        game::app::parseCommandLine(std::vector<std::string_view>(args.begin(), args.end()));
    if (line.language) game::ui::setTextLanguage(game::letters::info(*line.language).code);
    std::ostringstream out, err;
    if (const auto status = game::app::respond(line, out, err)) {
        platform::Desktop::showCommandLineText(out.str(), err.str());
        return *status;
    }

    // The desktop's services, with the settings store that keeps the settings, the Hall of Fame
    // and the saved game.
    platform::Desktop desktop;
    if (!desktop.ok()) {
        std::fprintf(stderr, "varnook: no display: %s\n", desktop.error().c_str());
        return 1;
    }

    std::string failure;
    game::StartOptions options;
    options.puzzle = line.puzzle;
    options.zoom = line.zoom;
    options.daily = line.daily;
    options.today = line.today;
    // The language asked for, else the puzzle's; else the start-up takes the one the player chose in
    // the game, else the desktop's where Varnook plays it.
    if (line.language)
        options.language = line.language;
    else if (line.puzzle)
        options.language = line.puzzle->language;
    options.desktopLanguage = desktopLanguage;
    auto program = game::Program::start(desktop.services(), platform::programFolder(), &failure, options);
    if (!program) {
        std::fprintf(stderr, "varnook: %s\n", failure.c_str());
        desktop.ui().messageBox(game::kAppTitle, failure);
        return 1;
    }
    desktop.ui().run();
    return 0;
}
