// The results display: every solution word in the list box, missed ones in their own colour, the
// path of the word under the pointer lit on the board and spelled in the strip, and the back button.
#include <string>

#include "game/play/puzzle.h"
#include "game/play/solution_display.h"
#include "game/ui/draw.h"
#include "game/ui/frm_play_flow.h"
#include "game/ui/palette.h"
#include "game/ui/side_panel.h"
#include "game/ui/strings.h"

namespace game::ui {

void FrmPlayFlow::drawBackBtn(bool hot) {
    BoxInfo& back = frm_.regions().backBtn;
    setFontSize(frm_.pbGrid(), fontsize::kPanel);
    const std::string_view caption = loadResString(results_layout::kBackCaption);
    if (hot)
        drawTextBtn(back, 1, true, results_layout::kBackHoverShift, caption);
    else
        drawTextBtn(back, 0, false, results_layout::kBackShift, caption);
    back.hover = hot;
}

void FrmPlayFlow::initiateResultsShow() {
    PlayRegions& r = frm_.regions();
    platform::Surface& s = frm_.pbGrid();

    // Commands that mean nothing after the end leave the panel: out of press and hover handling,
    // painted over with their own (panel) brush.
    for (int n : results_layout::kHiddenCommands) {
        BoxInfo& b = r.item(n);
        b.state = 0;
        b.hover = false;
        fillBox(b);
    }
    drawBackBtn(false);

    buildAllSolutionWords(game_);
    frm_.listMode = results::ListMode::Solutions;
    game_.foundListTop = 1;

    const double size = s.font().points;
    setFontSize(s, fontsize::kList);
    frm_.drawFoundList(0);
    frm_.showMessage(Message::Results);
    setFontSize(s, size);
    frm_.refresh();
    frm_.lastShownWordId = -1;
}

void FrmPlayFlow::processShowingResHit(double x, double y) {
    if (hitTest(frm_.regions().backBtn, x, y)) frm_.mainMenu(true);
}

void FrmPlayFlow::processShowingResMove(double x, double y) {
    PlayRegions& r = frm_.regions();
    const bool inBack = hitTest(r.backBtn, x, y);
    if (inBack != r.backBtn.hover) {
        drawBackBtn(inBack);
        frm_.refresh();
    }

    const results::ListArea area{r.listBox.x, r.listBox.y, r.listBox.wid, r.listBox.ht};
    const auto index = results::listIndexAt(area, game_.foundListTop, x, y);
    if (!index) return;
    const auto id = results::wordToShow(game_, *index, frm_.lastShownWordId);
    if (!id) return;

    frm_.lastShownWordId = static_cast<std::int16_t>(*id);
    const std::string& word = game_.allSolutionWords[*id];
    setFontSize(frm_.pbGrid(), fontsize::kTiles);
    drawWordStripText(sheet_, r.stripBox, word);
    results::loadSolutionPath(game_, word);
    drawBoardBack(r.boardBox, game_);
    drawAllTiles(sheet_, r.boardBox, game_);
    frm_.refresh();
}

}  // namespace game::ui
