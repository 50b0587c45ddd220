// The board press: linking, unlinking, submitting.
#include "game/play/linking.h"

namespace game::linking {

bool adjacent(const GameData& g, int a, int b) {
    const int c0 = g.cellX(a);
    const int r0 = g.cellY(a);
    const int c1 = g.cellX(b);
    const int r1 = g.cellY(b);
    for (std::size_t i = 0; i < kDirX.size(); ++i) {
        const int c = c0 + kDirX[i];
        const int r = r0 + kDirY[i];
        if (g.inGrid(c, r) && c == c1 && r == r1) return true;
    }
    return false;
}

Press pressCell(GameData& g, int cell, PressKind kind) {
    if (!g.cellSelected().contains(cell)) return Press::Ignored;

    if (g.curWordLen() == 0) {
        g.pushCell(cell);
        return Press::Started;
    }

    const int last = g.curPath()[g.curWordLen()];
    if (cell == last) {
        if (kind == PressKind::Submit) return Press::Submit;
        g.popCell();
        return Press::Unlinked;
    }

    if (g.cellSelected()[cell] == 1) return Press::Ignored;
    if (!adjacent(g, last, cell) || g.curWordLen() >= kMaxWordLen) return Press::Ignored;

    g.pushCell(cell);
    return Press::Linked;
}

}  // namespace game::linking
