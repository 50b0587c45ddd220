// Every text of the main menu, the side panels and the results, in every language, drawn by GDI in
// the fonts the program ships and stands in with, fits the box it is drawn in: no letter cut off at
// either end.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "frm_play_fixture.h"
#include "game/ui/catalogue.h"
#include "game/ui/strings.h"
#include "noting_graphics.h"
#include "platform/pixel_surface.h"
#include "platform/win32.h"

namespace {

using texttest::DrawnText;
using texttest::NotingGraphics;

TEST(TextFit, EveryTextOfTheMenuThePanelsAndTheResultsFitsItsBoxInEveryLanguage) {
    std::vector<std::string> codes{"en"};
    for (const auto& c : game::ui::catalogues()) codes.emplace_back(c.code);
    for (const std::string& code : codes) {
        game::ui::setTextLanguage(code);
        NotingGraphics graphics;
        frmtest::PlayWindow w(false, &graphics);
        for (int i = 1; i <= game::ui::window::kMenuEntries; ++i) {  // each entry lit by the pointer
            const auto& entry = w.frm->mmBtn(i);
            w.move(entry.x + entry.wid / 2.0, entry.y + entry.ht / 2.0);
        }
        w.startClassic(frmtest::kRow4x4, frmtest::kSeed);
        for (int n = game::ui::kFirstCommand; n <= game::ui::kLastItem; ++n) {  // each command lit too
            const auto& item = w.frm->regions().item(n);
            w.move(item.x + item.wid / 2.0, item.y + item.ht / 2.0);
        }
        const auto& showSolution = w.frm->regions().item(13);
        w.pressAt(showSolution.x + showSolution.wid / 2.0, showSolution.y + showSolution.ht / 2.0);
        ASSERT_EQ(w.session->phase(), game::Phase::Results);

        int checked = 0;
        for (const DrawnText& d : graphics.drawn) {
            if ((d.flags & platform::text::kSingleLine) == 0 || d.text.empty()) continue;
            const platform::Size size = platform::textExtent(d.font, d.text);
            ASSERT_GT(size.width, 0) << d.text;
            EXPECT_LE(size.width, d.box.right - d.box.left)
                << code << ": \"" << d.text << "\" in " << d.font.family << (d.font.bold ? " bold " : " ")
                << d.font.points << " pt is " << size.width << " pixels wide in a box of " << d.box.right - d.box.left;
            ++checked;
        }
        // The six entries, the panel's commands, the results' lines.
        EXPECT_GE(checked, 20) << code;
        for (const game::ui::StringId id :
             {game::ui::StringId::MenuHallOfFameClassic, game::ui::StringId::MenuHallOfFameArcade}) {
            const std::string_view text = game::ui::loadResString(id);
            EXPECT_TRUE(std::any_of(graphics.drawn.begin(), graphics.drawn.end(),
                                    [&](const DrawnText& d) { return d.text == text; }))
                << code << ": " << text << " was not drawn";
        }
    }
    game::ui::setTextLanguage("en");
}

}  // namespace
