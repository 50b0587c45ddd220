// varnook in a web page: the page's address as the command line (?puzzle=WxH-SEED, ?zoom=N,
// ?language=CODE), the browser's services, then the start-up sequence from the program folder the
// page's data files were fetched into. A bad address parameter is told in the page, and the game
// starts without it.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game/app/command_line.h"
#include "game/app/program.h"
#include "game/play/rules.h"
#include "platform/desktop.h"
#include "platform/library.h"

int main(int argc, char** argv) {
    platform::Desktop desktop;
    platform::Ui& ui = *desktop.services().ui;

    // Each parameter on its own, so that a bad one costs only itself.
    game::StartOptions options;
    std::vector<std::string> problems;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg[] = {argv[i]};
        const game::app::CommandLine line = game::app::parseCommandLine(std::span<const std::string_view>(arg));
        if (line.action == game::app::CommandAction::UsageError) {
            problems.push_back(line.error);
            continue;
        }
        if (line.puzzle) options.puzzle = line.puzzle;
        if (line.zoom) options.zoom = line.zoom;
        if (line.language) options.language = *line.language;
        options.daily = line.daily;
        options.today = line.today;
    }
    // A puzzle number names its board's language.
    if (options.puzzle) options.language = options.puzzle->language;
    if (!problems.empty()) {
        std::string text = "The page's address asks for something Varnook cannot do, so it starts without it:\n";
        for (const std::string& p : problems) text += "\n" + p;
        text += "\n\nA puzzle is given as ?puzzle=WxH-SEED (as 5x4-1234, or de-5x4-1234 for a German board), the "
                "zoom as ?zoom=N (1 to 4), the language as ?language=CODE (en, fr, de, es, it, nl or pt).";
        ui.messageBox(game::kAppTitle, text);
    }

    std::string failure;
    auto program = game::Program::start(desktop.services(), platform::programFolder(), &failure, options);
    if (!program) {
        ui.messageBox(game::kAppTitle, failure);
    } else {
        ui.run();
        program.reset();  // shut-down: the records are written
    }
    return 0;  // the desktop goes, and the page says that the game has ended
}
