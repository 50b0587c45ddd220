// The main menu (places, hover looks, choices, Esc) and the play surface's regions for every board
// width, their hover looks, and presses on border lines; golden pictures of both surfaces.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "frm_play_fixture.h"
#include "game/app/program.h"
#include "game/play/words.h"
#include "game/ui/hall_of_fame_windows.h"
#include "game/ui/palette.h"
#include "ui_test_support.h"

namespace {

using frmtest::PlayWindow;
using game::ui::BoxInfo;
using game::ui::FrmPlay;
using Strings = std::vector<std::string>;

struct Box {
    int x, y, wid, ht;
};

void expectBox(const BoxInfo& b, Box e, const std::string& what) {
    EXPECT_EQ(b.x, e.x) << what;
    EXPECT_EQ(b.y, e.y) << what;
    EXPECT_EQ(b.wid, e.wid) << what;
    EXPECT_EQ(b.ht, e.ht) << what;
}

double midX(const BoxInfo& b) { return b.x + b.wid / 2.0; }
double midY(const BoxInfo& b) { return b.y + b.ht / 2.0; }

// The hover look draws a one-pixel frame on the region's edge.
bool framed(const platform::Surface& s, const BoxInfo& b) {
    return s.pixel(b.x, b.y + b.ht / 2) == game::ui::penFrame.color;
}

// --- Main menu -------------------------------------------------------------------------------------

TEST(MainMenu, EntriesAndTitleLieWhereTheyBelong) {
    PlayWindow w;
    EXPECT_EQ(w.win().caption(), "Varnook");
    EXPECT_EQ(w.win().clientWidth(), 704);
    EXPECT_EQ(w.win().clientHeight(), 528);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
    expectBox(w.frm->titleBox(), {260, 44, 195, 105}, "title");
    const int tops[] = {194, 242, 290, 339, 387, 436};
    for (int i = 1; i <= 6; ++i) expectBox(w.frm->mmBtn(i), {242, tops[i - 1], 220, 30}, "entry " + std::to_string(i));
    EXPECT_TRUE(uitest::sameImage(w.screen(), w.frm->pbMainMenu()));
}

TEST(MainMenu, HoverLightsOneEntryAtATimeWithOneRedrawPerChange) {
    PlayWindow w;
    const BoxInfo& e2 = w.frm->mmBtn(2);
    const BoxInfo& e3 = w.frm->mmBtn(3);
    const int start = w.win().presentCount();
    w.move(midX(e2), midY(e2));
    EXPECT_TRUE(framed(w.screen(), e2));
    EXPECT_GT(uitest::countColor(w.screen(), {e2.x, e2.y, e2.x + e2.wid, e2.y + e2.ht}, game::ui::clrHiText), 20);
    w.move(midX(e2) + 5, midY(e2));
    EXPECT_EQ(w.win().presentCount(), start + 1);
    // Straight onto the next entry: the first goes back, the second lights, in one move.
    w.move(midX(e3), midY(e3));
    EXPECT_EQ(w.win().presentCount(), start + 3);
    EXPECT_FALSE(framed(w.screen(), e2));
    EXPECT_EQ(uitest::countColor(w.screen(), {e2.x, e2.y, e2.x + e2.wid, e2.y + e2.ht}, game::ui::clrHiText), 0);
    EXPECT_TRUE(framed(w.screen(), e3));
    // Off every entry.
    w.move(20, 20);
    EXPECT_FALSE(framed(w.screen(), e3));
    EXPECT_EQ(w.win().presentCount(), start + 4);
}

TEST(MainMenu, UpAndDownMoveTheHighlightAndEnterChoosesIt) {
    PlayWindow w;
    using platform::Key;
    auto lit = [&] {
        std::vector<int> entries;
        for (int i = 1; i <= game::ui::window::kAllEntries; ++i)
            if (w.frm->mmBtn(i).hover) entries.push_back(i);
        return entries;
    };
    w.key(platform::key::kEnter);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu) << "nothing lit, nothing chosen";
    w.hp.ui.keyDown(w.win(), Key::Down);
    EXPECT_EQ(lit(), std::vector<int>{1});
    // The keyboard's highlight is the pointer's hover look.
    PlayWindow pointer;
    pointer.move(midX(pointer.frm->mmBtn(1)), midY(pointer.frm->mmBtn(1)));
    EXPECT_TRUE(uitest::sameImage(w.screen(), pointer.screen()));
    w.hp.ui.keyDown(w.win(), Key::Down);
    w.hp.ui.keyDown(w.win(), Key::Down);
    EXPECT_EQ(lit(), std::vector<int>{3});
    w.hp.ui.keyDown(w.win(), Key::Up);
    w.hp.ui.keyDown(w.win(), Key::Up);
    w.hp.ui.keyDown(w.win(), Key::Up);
    EXPECT_EQ(lit(), std::vector<int>{7}) << "round the menu, through the line below EXIT";
    // Left and Right move within the line, round it; Up leaves it for EXIT.
    w.hp.ui.keyDown(w.win(), Key::Left);
    EXPECT_EQ(lit(), std::vector<int>{9});
    w.hp.ui.keyDown(w.win(), Key::Right);
    w.hp.ui.keyDown(w.win(), Key::Right);
    EXPECT_EQ(lit(), std::vector<int>{8});
    w.hp.ui.keyDown(w.win(), Key::Up);
    EXPECT_EQ(lit(), std::vector<int>{6});
    // The pointer takes the highlight over.
    w.move(midX(w.frm->mmBtn(4)), midY(w.frm->mmBtn(4)));
    EXPECT_EQ(lit(), std::vector<int>{4});
    w.hp.ui.keyDown(w.win(), Key::Down);
    EXPECT_EQ(lit(), std::vector<int>{5});
    w.hp.ui.keyDown(w.win(), Key::Up);
    w.hp.ui.keyDown(w.win(), Key::Up);
    w.hp.ui.keyDown(w.win(), Key::Up);
    ASSERT_EQ(lit(), std::vector<int>{2});
    w.session->setFixedPuzzle(game::Session::FixedPuzzle{9, 2024});
    w.key(platform::key::kEnter);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
    EXPECT_EQ(w.game.gameMode(), game::GameMode::Arcade);
    // During a game Up and Down do nothing; back on the menu nothing is lit.
    w.hp.ui.keyDown(w.win(), Key::Down);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
    w.command(game::Command::MainMenu);
    EXPECT_TRUE(lit().empty());
    w.hp.ui.keyDown(w.win(), Key::Up);
    EXPECT_EQ(lit(), std::vector<int>{6});
}

TEST(MainMenu, EachEntryMakesItsChoiceAndBorderLinesChooseNothing) {
    PlayWindow w;
    auto choose = [&](int i, int button = 1) {
        const BoxInfo& e = w.frm->mmBtn(i);
        w.pressAt(midX(e), midY(e), button);
    };
    const BoxInfo& classic = w.frm->mmBtn(1);
    w.pressAt(classic.x, midY(classic));
    w.pressAt(midX(classic), classic.y + classic.ht);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);

    choose(3, 2);
    ASSERT_NE(w.desk->openTable(), nullptr);
    EXPECT_EQ(w.desk->openTable()->modeNum, 1);
    choose(4, 4);
    ASSERT_NE(w.desk->openTable(), nullptr);
    EXPECT_EQ(w.desk->openTable()->modeNum, 2);
    EXPECT_TRUE(w.hp.ui.modalHistory().empty()) << "the tables open beside the menu";
    choose(5);
    ASSERT_EQ(w.hp.shell.requests().size(), 1u);
    EXPECT_EQ(w.hp.shell.requests()[0].target, frmtest::binDir() + "Varnook.htm");
    EXPECT_EQ(w.hp.shell.requests()[0].directory, std::string(VARNOOK_BIN_DIR));
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);

    choose(1);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
    EXPECT_EQ(w.game.gameMode(), game::GameMode::Classic);
    EXPECT_TRUE(w.session->gamePlaying());
    EXPECT_GE(w.game.gridWidth(), 4);
    EXPECT_LE(w.game.gridWidth(), 6);

    // Back at the menu every entry is plain; the entry under the pointer lights again on a move.
    w.command(game::Command::QuitGame);
    for (int i = 1; i <= 6; ++i) EXPECT_FALSE(framed(w.screen(), w.frm->mmBtn(i))) << i;
    w.move(midX(w.frm->mmBtn(2)), midY(w.frm->mmBtn(2)));
    EXPECT_TRUE(framed(w.screen(), w.frm->mmBtn(2)));

    choose(2);
    EXPECT_EQ(w.game.gameMode(), game::GameMode::Arcade);
    EXPECT_EQ(w.game.arcadeLevel(), 1);
    EXPECT_EQ(w.game.gridWidth(), 6);
    EXPECT_EQ(w.game.gridHeight(), 6);
    EXPECT_LE(w.game.targetPoints(), 125);
    EXPECT_EQ(w.frm->timerStr(), "5:00.0");
    EXPECT_TRUE(w.frm->timrCntDwn().enabled());
    EXPECT_EQ(w.frm->timrCntDwn().interval(), 100);

    w.command(game::Command::QuitGame);
    choose(6);
    EXPECT_FALSE(w.win().isOpen());
    EXPECT_EQ(w.session->phase(), game::Phase::Closing);
}

TEST(MainMenu, EscMinimisesAndPausesBehindTheMenuWhichStaysUnchanged) {
    PlayWindow w;
    const platform::PixelSurface before = w.screen();
    w.key(platform::key::kEscape);
    EXPECT_TRUE(w.win().isMinimized());
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Menu);
    w.win().restore();
    EXPECT_TRUE(uitest::sameImage(w.screen(), before));
    // A game chosen afterwards starts unpaused.
    w.startClassic(9, 2024);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
}

TEST(MainWindow, ResizingSnapsBackAndTheKeysOtherThanThreeDoNothing) {
    PlayWindow w;
    w.win().setClientSize(800, 600);
    w.frm->onStateChange(false);
    EXPECT_EQ(w.win().clientWidth(), 704);
    EXPECT_EQ(w.win().clientHeight(), 528);
    const int presents = w.win().presentCount();
    w.key(U'a');
    w.key(U' ');
    EXPECT_EQ(w.win().presentCount(), presents);
    EXPECT_FALSE(w.win().isMinimized());
}

TEST(MainWindow, EveryWindowShowsTheProgramIconAndWithoutTheSpriteSheetThereIsNone) {
    PlayWindow w;
    const platform::PixelSurface& icon = w.win().icon();
    ASSERT_EQ(icon.width(), 48);
    ASSERT_EQ(icon.height(), 48);
    EXPECT_EQ(icon.pixel(0, 0), game::ui::brPanel.color);
    EXPECT_EQ(icon.pixel(47, 47), game::ui::brPanel.color);
    int letter = 0, tile = 0;
    for (int y = 4; y < 44; ++y)
        for (int x = 4; x < 44; ++x) {
            const platform::Color c = icon.pixel(x, y);
            letter += c == game::ui::clrTileLinked;
            tile += c != game::ui::clrTileLinked && c != game::ui::clrShadow && c != game::ui::brPanel.color;
        }
    EXPECT_GT(letter, 30) << "the initial in the linked tile's letter colour";
    EXPECT_GT(tile, 700) << "the tile covers most of the icon";

    // A dialog made later (the end dialog of a quit game) shows the same picture.
    platform::PixelSurface dialogIcon;
    w.hp.ui.setModalHandler([&](platform::Window& m) {
        dialogIcon.assign(static_cast<platform::HeadlessWindow&>(m).icon());
        w.hp.ui.closeBox(m);
    });
    w.startClassic(9, 2024);
    w.command(game::Command::QuitGame);
    ASSERT_EQ(w.hp.ui.modalHistory(), Strings{"Game Statistics"});
    ASSERT_EQ(dialogIcon.width(), 48);
    EXPECT_TRUE(std::ranges::equal(dialogIcon.pixels(), icon.pixels()));

    // No sprite sheet, no icon: the windows keep the desktop's default.
    platform::HeadlessPlatform hp;
    game::GameData game;
    const game::ui::SpriteSheet noSheet;
    game::ui::SoundEffects sounds(hp.sound, frmtest::binDir());
    game::persistence::Settings settings;
    game::ui::RecordsDesk desk(hp.ui, hp.graphics, noSheet, sounds, settings, nullptr);
    game::Session session(game, frmtest::engine(), {});
    const game::ui::FrmPlayContext context{
        hp.ui, hp.graphics, hp.shell, session, sounds, noSheet, desk, frmtest::binDir(), nullptr, nullptr, nullptr, {}, {}};
    FrmPlay frm(context);
    frm.show(0);
    EXPECT_EQ(static_cast<platform::HeadlessWindow&>(*frm.window()).icon().width(), 0);
}

// --- Play surface ----------------------------------------------------------------------------------

class Layout : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(Layout, EveryRegionLiesAtItsPlaceForTheBoardWidth) {
    const auto [row, boardLeft] = GetParam();
    PlayWindow w;
    w.startClassic(row, 1);
    const auto& r = w.frm->regions();
    ASSERT_EQ(w.game.gridWidth(), game::level(row).width);
    expectBox(r.boardBox, {boardLeft, 176, 44, 2}, "board");
    expectBox(r.stripBox, {176, 44, 44, 2}, "strip");
    expectBox(r.item(17), {344, 110, 96, 30}, "Enter");
    expectBox(r.item(18), {220, 110, 96, 30}, "Clear");
    expectBox(r.listBox, {528, 60, 15, 20}, "list");
    expectBox(r.upBar, {528, 40, 120, 20}, "up bar");
    expectBox(r.downBar, {528, 320, 120, 20}, "down bar");
    expectBox(r.barBox, {176, 462, 330, 30}, "progress bar");
    expectBox(r.leftPanel, {0, 0, 132, 528}, "left panel");
    const int itemTops[] = {50, 70, 100, 120, 150, 170, 200, 220, 280, 310, 340, 370, 400, 430, 460};
    for (int n = 2; n <= 16; ++n) {
        expectBox(r.item(n), {5, itemTops[n - 2], 122, 25}, "item " + std::to_string(n));
        const bool value = n == 3 || n == 5 || n == 7 || n == 9;
        EXPECT_EQ(r.item(n).textColor, value ? game::ui::clrValueText : game::ui::clrText) << n;
    }
    for (int n = 10; n <= 18; ++n) EXPECT_TRUE(w.session->available(static_cast<game::Command>(n))) << n;
    for (int s = 1; s <= 6; ++s) expectBox(r.statsRow(s), {528, 340 + 20 * s, 132, 20}, "stats " + std::to_string(s));
    expectBox(r.msgBox, {154, 3, 396, 20}, "message line");
    expectBox(r.backBtn, {220, 110, 220, 30}, "back button");
    expectBox(r.soundBox, {660, 462, 32, 32}, "sound icon");
    // The board sits centred under the seven-slot strip (176 .. 484).
    EXPECT_EQ(r.boardBox.x - 176, 484 - (r.boardBox.x + 44 * w.game.gridWidth()));
}

INSTANTIATE_TEST_SUITE_P(Widths, Layout, ::testing::Values(std::pair{9, 242}, std::pair{3, 220}, std::pair{1, 198}));

TEST(PlaySurface, ClassicShowsNoTimeOrLevelAndArcadeShowsBoth) {
    PlayWindow classic;
    classic.startClassic(9, 2024);
    const auto& r = classic.frm->regions();
    for (int n : {6, 7, 8, 9}) {
        const BoxInfo& b = r.item(n);
        EXPECT_EQ(uitest::countOther(classic.screen(), {b.x, b.y, b.x + b.wid, b.y + b.ht}, game::ui::brPanel.color), 0)
            << n;
    }
    PlayWindow arcade;
    arcade.session->startArcade();
    for (int n : {6, 7, 8, 9}) {
        const BoxInfo& b = arcade.frm->regions().item(n);
        EXPECT_GT(uitest::countOther(arcade.screen(), {b.x, b.y, b.x + b.wid, b.y + b.ht}, game::ui::brPanel.color), 20)
            << n;
    }
}

TEST(PlaySurface, HoverInAndOutRedrawsEachCommandArrowAndTheIconExactlyOnce) {
    PlayWindow w;
    w.startClassic(9, 2024);
    const auto& r = w.frm->regions();
    const double awayX = 300, awayY = 420;  // empty play area
    std::vector<const BoxInfo*> targets{&r.upBar, &r.downBar, &r.soundBox};
    for (int n = 10; n <= 18; ++n) targets.push_back(&r.item(n));
    for (const BoxInfo* b : targets) {
        const platform::PixelSurface plain = w.screen();
        int presents = w.win().presentCount();
        w.move(midX(*b), midY(*b));
        EXPECT_EQ(w.win().presentCount(), presents + 1) << b->x << ", " << b->y;
        EXPECT_TRUE(b->hover);
        EXPECT_FALSE(uitest::sameImage(w.screen(), plain)) << "the hover look differs";
        w.move(midX(*b) + 1, midY(*b) + 1);
        EXPECT_EQ(w.win().presentCount(), presents + 1);
        w.move(awayX, awayY);
        EXPECT_EQ(w.win().presentCount(), presents + 2);
        EXPECT_FALSE(b->hover);
    }
    // From "Pause" straight onto "Instructions", across the five-pixel gap.
    const BoxInfo& pause = r.item(11);
    const BoxInfo& help = r.item(12);
    w.move(midX(pause), midY(pause));
    const int presents = w.win().presentCount();
    w.move(midX(help), midY(help));
    EXPECT_EQ(w.win().presentCount(), presents + 2);
    EXPECT_FALSE(pause.hover);
    EXPECT_TRUE(help.hover);
    EXPECT_TRUE(framed(w.screen(), help));
    EXPECT_FALSE(framed(w.screen(), pause));
}

TEST(PlaySurface, APressOnABorderLineHitsNothing) {
    PlayWindow w;
    w.startClassic(9, 2024);
    const auto& r = w.frm->regions();
    const BoxInfo& pause = r.item(11);
    w.pressAt(pause.x, midY(pause));
    w.pressAt(midX(pause), pause.y + pause.ht);
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Play);
    w.pressAt(pause.x + 1, midY(pause));
    EXPECT_EQ(w.frm->view(), FrmPlay::View::Paused);
    w.session->resume();

    // The statistics toggle flips inside, not on its edge.
    const BoxInfo& toggle = r.statsRow(1);
    w.pressAt(toggle.x + toggle.wid, midY(toggle));
    EXPECT_EQ(toggle.state, 0);
    w.pressAt(midX(toggle), midY(toggle));
    EXPECT_EQ(toggle.state, 1);
    EXPECT_GT(uitest::countOther(w.screen(), {528, 380, 660, 400}, game::ui::brPlay.color), 20) << "rows shown";
}

TEST(PlaySurface, ArrowsScrollAFoundListLongerThanThirteenAndRepeatWhileHeld) {
    PlayWindow w;
    w.startClassic(1, 1234);
    for (int n = 1; n <= 20; ++n) game::words::addFoundWord(w.game, w.solution(3, n).first);
    const auto& r = w.frm->regions();
    w.hp.ui.mouseDown(w.win(), 1, midX(r.downBar), midY(r.downBar));
    EXPECT_EQ(w.frm->listTop(), 2);
    EXPECT_EQ(w.frm->navigateToggle(), game::results::Navigate::Down);
    EXPECT_TRUE(w.frm->navigateTimer().enabled());
    w.hp.ui.advance(300 + 200 + 100 + 100 + 100 + 100);
    EXPECT_EQ(w.frm->listTop(), 8) << "stops with words 8 to 20 shown";
    w.hp.ui.mouseUp(w.win(), 1, midX(r.downBar), midY(r.downBar));
    EXPECT_EQ(w.frm->navigateToggle(), game::results::Navigate::None);
    EXPECT_FALSE(w.frm->navigateTimer().enabled());
    EXPECT_EQ(w.frm->navigateTimer().interval(), 600);
    w.pressAt(midX(r.upBar), midY(r.upBar));
    EXPECT_EQ(w.frm->listTop(), 7);
}

// --- Start-up -------------------------------------------------------------------------------------

TEST(StartUp, ShowsTheMainMenuWithTheBoardBeforeAnyGame) {
    platform::HeadlessPlatform hp;
    std::string failure;
    auto program = game::Program::start(hp.services(), VARNOOK_BIN_DIR, &failure);
    ASSERT_TRUE(program) << failure;
    EXPECT_EQ(program->appPath, frmtest::binDir());
    // Without stored settings the board before any game is level 1's, 6 x 6.
    EXPECT_EQ(program->game.gridWidth(), 6);
    EXPECT_EQ(program->game.gridHeight(), 6);
    EXPECT_EQ(program->sounds->soundOptions, game::kDefaultSoundOptions);
    EXPECT_FALSE(program->session->gamePlaying());
    EXPECT_EQ(program->session->phase(), game::Phase::Menu);
    EXPECT_EQ(hp.ui.findWindow("Varnook"), program->frmPlay->window());
    EXPECT_TRUE(uitest::sameImage(static_cast<platform::HeadlessWindow*>(program->frmPlay->window())->screen(),
                                  program->frmPlay->pbMainMenu()));
}

TEST(StartUp, WithoutTheEngineOrItsDictionaryNothingStartsAndTheMessageNamesFileAndFolder) {
    const auto dir = std::filesystem::temp_directory_path() / ("varnook-startup-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string folder = dir.string();
    platform::HeadlessPlatform hp;
    std::string failure;

    EXPECT_FALSE(game::Program::start(hp.services(), folder, &failure));
    EXPECT_NE(failure.find("libQXDLL.so"), std::string::npos) << failure;
    EXPECT_NE(failure.find(folder + "/"), std::string::npos) << failure;

    // A copy, not a link: the same file would share the tests' loaded engine and its dictionary.
    std::filesystem::copy_file(frmtest::binDir() + "libQXDLL.so", dir / "libQXDLL.so");
    failure.clear();
    EXPECT_FALSE(game::Program::start(hp.services(), folder + "/", &failure));
    EXPECT_NE(failure.find("DEFAULT.DICT"), std::string::npos) << failure;
    EXPECT_NE(failure.find(folder + "/"), std::string::npos) << failure;

    std::ofstream(dir / "DEFAULT.DICT") << "not a dictionary";
    failure.clear();
    EXPECT_FALSE(game::Program::start(hp.services(), folder, &failure));
    EXPECT_NE(failure.find("DEFAULT.DICT"), std::string::npos) << failure;
    EXPECT_TRUE(hp.ui.openWindows().empty()) << "no window of a broken game";
    std::filesystem::remove_all(dir);
}

TEST(StartUp, TheProgramFolderGetsExactlyOneTrailingSeparator) {
    EXPECT_EQ(game::appPathOf("/opt/varnook"), "/opt/varnook/");
    EXPECT_EQ(game::appPathOf("/opt/varnook/"), "/opt/varnook/");
    EXPECT_EQ(game::appPathOf("/opt/varnook//"), "/opt/varnook/");
    EXPECT_EQ(game::appPathOf("/"), "/");
    EXPECT_EQ(game::appPathOf("C:\\"), "C:\\");
}

// --- Golden pictures ----------------------------------------------------------------------------

// Where text is drawn on each surface: anti-aliased glyphs may differ between font versions.
std::vector<platform::Rect> menuText(const FrmPlay& f) {
    std::vector<platform::Rect> areas;
    for (int i = 1; i <= game::ui::window::kAllEntries; ++i) {
        const BoxInfo& b = f.mmBtn(i);
        areas.push_back({b.x, b.y - 6, b.x + b.wid + 6, b.y + b.ht + 2});
    }
    return areas;
}

std::vector<platform::Rect> playText(const FrmPlay& f) {
    const auto& r = f.regions();
    return {{0, 0, 132, 528},                                          // side panel
            {r.msgBox.x - 2, 0, r.msgBox.x + r.msgBox.wid + 2, 26},    // message line
            {176, 40, 484, 100},                                       // word strip
            {176, 100, 484, 150},                                      // Enter, Clear
            {r.boardBox.x, 176, r.boardBox.x + 44 * 6, 176 + 44 * 6},  // tiles
            {528, 56, 660, 322},                                       // word list
            {528, 356, 664, 482}};                                     // statistics
}

// A game in the middle: two words found, a chain of three linked, a refusal on the message line.
void midGame(PlayWindow& w) {
    w.startClassic(9, 2024);
    for (int len : {4, 3}) {
        for (int c : w.solution(len).second) w.press(c);
        w.session->enter();
    }
    for (int c : w.nonWord()) w.press(c);
    w.session->enter();
    w.move(w.frm->regions().item(12).x + 10, w.frm->regions().item(12).y + 10);
}

TEST(Golden, MainMenuAndMidGameDoNotDrift) {
    PlayWindow menu(true);
    menu.move(midX(menu.frm->mmBtn(2)), midY(menu.frm->mmBtn(2)));
    EXPECT_EQ(uitest::compareWithGolden(menu.screen(), "frm_play_menu", menuText(*menu.frm)), "");
    PlayWindow game(true);
    midGame(game);
    EXPECT_EQ(uitest::compareWithGolden(game.screen(), "frm_play_mid_game", playText(*game.frm)), "");
}

}  // namespace
