// Key choices of the play surface and the word list's movement under the list keys.
#include "game/ui/keys.h"

#include <algorithm>

namespace game::ui::keys {

std::optional<PanelKey> panelKeyOf(char32_t ctrlLetter) {
    auto command = [](Command c) { return PanelKey{PanelAction::Command, c}; };
    switch (ctrlLetter) {
        case U'h': return command(Command::HallOfFame);
        case U'p': return command(Command::Pause);
        case U'l': return command(Command::ShowSolution);
        case U'q': return command(Command::QuitGame);
        case U'm': return command(Command::MainMenu);
        case U's': return command(Command::SaveAndExit);
        case U'o': return PanelKey{PanelAction::SoundSwitch, Command::HallOfFame};
        case U'f': return PanelKey{PanelAction::FoundStats, Command::HallOfFame};
        case U'i': return command(Command::Hint);
        case U'c': return command(Command::Copy);
        case U'd': return command(Command::LookUp);
        default: return std::nullopt;
    }
}

std::optional<PanelKey> panelKeyOf(platform::Key key) {
    if (key == platform::Key::F1) return PanelKey{PanelAction::Command, Command::Instructions};
    return std::nullopt;
}

int scrolledTop(int top, int steps, int count, int rows) {
    const int last = std::max(1, count - rows + 1);
    // Down stops at the last full page (or where the list already is, past it); up at the first word.
    if (steps > 0) return std::max(top, std::min(top + steps, last));
    return std::max(1, top + steps);
}

std::optional<ListPlace> browse(platform::Key key, int count, int rows, ListPlace from) {
    if (count < 1) return std::nullopt;
    int step = 0;
    switch (key) {
        case platform::Key::Up: step = -1; break;
        case platform::Key::Down: step = 1; break;
        case platform::Key::PageUp: step = -rows; break;
        case platform::Key::PageDown: step = rows; break;
        case platform::Key::Home: step = -count; break;
        case platform::Key::End: step = count; break;
        default: return std::nullopt;
    }
    ListPlace to = from;
    const bool none = from.current < 1;
    const int base = none ? from.top : from.current;
    const bool line = key == platform::Key::Up || key == platform::Key::Down;
    to.current = std::clamp(none && line ? base : base + step, 1, count);
    if (!line) to.top = scrolledTop(from.top, step, count, rows);
    to.top = std::clamp(to.top, std::max(1, to.current - rows + 1), to.current);
    return to;
}

}  // namespace game::ui::keys
