// The keyboard's reach on the play surface: the side panels' commands from their keys, and the
// word list browsed with the list keys and the wheel.
#include <cstdlib>

#include "game/play/solution_display.h"
#include "game/ui/draw.h"
#include "game/ui/frm_play.h"
#include "game/ui/sound_effects.h"
#include "game/ui/sprite_sheet.h"

namespace game::ui {

void FrmPlay::onShortcut(char32_t letter, int) {
    // On the menu Ctrl+L goes on to the next language, as the language button does.
    if (view() == View::Menu && letter == keys::kNextLanguage) {
        nextLanguage();
        return;
    }
    const auto panel = keys::panelKeyOf(letter);
    if (!panel) return;
    // While paused only Pause answers, and resumes: the panels are hidden.
    if (view() == View::Paused) {
        if (panel->action == keys::PanelAction::Command && panel->command == Command::Pause) session_.resume();
    } else if (view() == View::Play) {
        panelKey(*panel);
    }
    // A command may have ended the game: the windows its ending asks for are shown now.
    answerRequests();
}

void FrmPlay::panelKey(const keys::PanelKey& key) {
    switch (key.action) {
        case keys::PanelAction::SoundSwitch: flipSound(regions_.soundBox.hover); return;
        case keys::PanelAction::FoundStats: flipFoundStats(); return;
        case keys::PanelAction::Command: break;
    }
    // A command out of play (during the results) answers its key no more than its press.
    if (session_.available(key.command)) rightPanEvents(static_cast<int>(key.command));
}

void FrmPlay::flipSound(bool highlighted) {
    // The switch flips from what the icon shows: on (any non-zero value) to 0, off to 1.
    BoxInfo& icon = regions_.soundBox;
    icon.state = icon.state != 0 ? 0 : 1;
    ctx_.sounds.soundOptions[0] = static_cast<std::int16_t>(icon.state);
    drawSpriteBtn(ctx_.sheet, icon, soundIcon(icon.state), highlighted);
    refresh();
}

void FrmPlay::flipFoundStats() {
    regions_.statsToggle().state = (regions_.statsToggle().state + 1) % 2;
    drawFoundStats();
}

void FrmPlay::scrollListTo(int top) {
    bool moved = false;
    while (listTop_ != top) {
        const auto direction = listTop_ < top ? results::Navigate::Down : results::Navigate::Up;
        if (!scrollList(direction)) break;
        moved = true;
    }
    if (moved) scrolled();
}

bool FrmPlay::browseList(platform::Key key) {
    const bool results = session_.phase() == Phase::Results;
    int count = results::listCount(game_, session_.listMode());
    // The results list ends with empty rows when the puzzle has 10-letter words: no path to light.
    if (results)
        while (count > 0 && results::listWords(game_, session_.listMode())[count].empty()) --count;
    const keys::ListPlace from{listTop_, results ? session_.lastShownWordId() : 0};
    const auto to = keys::browse(key, count, kListRows, from);
    if (!to) return false;
    if (results) {
        scrollListTo(to->top);
        session_.showSolutionWord(to->current);
    } else {
        // The found list has no word to light: its rows move, a page at a time for the page keys.
        const int steps = key == platform::Key::Up     ? -1
                          : key == platform::Key::Down ? 1
                                                       : to->top - listTop_;
        scrollListTo(keys::scrolledTop(listTop_, steps, count, kListRows));
    }
    return true;
}

void FrmPlay::onMouseWheel(int steps, int, double x, double y) {
    if (view() != View::Play || steps == 0) return;
    const int count = results::listCount(game_, session_.listMode());
    scrollListTo(keys::scrolledTop(listTop_, -steps * keys::kWheelRows, count, kListRows));
    // The rows moved under a pointer that stayed: the word now under it lights up.
    if (session_.phase() == Phase::Results) processShowingResMove(x, y);
}

}  // namespace game::ui
