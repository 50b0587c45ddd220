// The play surface: building it for a game, the side panel's texts and values, the word list, the
// statistics block, the message line, the board after each change, and the results display with
// its back button and the solution paths lit on the board.
#include <algorithm>
#include <string>

#include "game/play/daily.h"
#include "game/play/letters.h"
#include "game/play/puzzle.h"
#include "game/play/solution_display.h"
#include "game/play/word_notes.h"
#include "game/ui/draw.h"
#include "game/ui/frm_play.h"
#include "game/ui/look_up.h"
#include "game/ui/palette.h"
#include "game/ui/records_desk.h"
#include "game/ui/side_panel.h"
#include "game/ui/sound_effects.h"
#include "game/ui/strings.h"
#include "platform/clipboard.h"

namespace game::ui {

namespace {

// The rows of the statistics block count words of 3 to 7 letters.
constexpr int kShortestStatsWord = kMinWordLen;
constexpr int kLongestStatsWord = kMaxWordLen;

// A font of the same family and size with the given weight.
void setBold(platform::Surface& s, bool bold) {
    platform::Font f = s.font();
    f.bold = bold;
    s.setFont(f);
}

}  // namespace

// --- A game on the play surface -----------------------------------------------------------------

void FrmPlay::gameReady() {
    listTop_ = 1;
    if (game_.gameMode() == GameMode::Arcade)
        timerStr_ = flow::formatTime(game_.timeLeft(), flow::TimeStyle::LevelStart);
    buildPlaySurface();
}

void FrmPlay::buildPlaySurface() {
    platform::Surface& s = *pbGrid_;
    noteLine_ = BoxInfo{};
    noteLine_.surface = &s;
    noteLine_.x = window::kNoteLine.left;
    noteLine_.y = window::kNoteLine.top;
    noteLine_.wid = window::kNoteLine.right - window::kNoteLine.left;
    noteLine_.ht = window::kNoteLine.bottom - window::kNoteLine.top;
    noteLine_.brush = brPlay;
    noteLine_.textColor = clrMessage;
    noteText_.clear();
    noteWord_.clear();
    pointsTimer_->setEnabled(false);
    repeatedWordTimer_->setEnabled(false);
    fillSurface(s, brPlay);
    initLPBtns(regions_, s, game_.gridWidth());
    initRPBtns(regions_, s);

    setFontSize(s, fontsize::kList);
    drawFoundList(0);
    setFontSize(s, fontsize::kTiles);
    drawBoardBack(regions_.boardBox, game_);
    drawAllTiles(ctx_.sheet, regions_.boardBox, game_);
    drawWordStrip(ctx_.sheet, regions_.stripBox, game_);
    setFontSize(s, fontsize::kPanel);
    fillBox(regions_.leftPanel);
    drawSpriteBtn(ctx_.sheet, regions_.downBar, SpriteKind::DownBar, false);
    drawSpriteBtn(ctx_.sheet, regions_.upBar, SpriteKind::UpBar, false);
    drawFoundStats();
    drawPanelTexts();
    drawProgress();
}

void FrmPlay::drawPanelTexts() {
    platform::Surface& s = *pbGrid_;
    setFontSize(s, fontsize::kPanel);
    auto label = [&](int n) {
        drawTextBtn(regions_.item(n), FrameStyle::None, false, itemShift(n), loadResString(itemCaption(n)));
    };
    auto value = [&](int n, const std::string& text) {
        drawTextBtn(regions_.item(n), FrameStyle::None, false, itemShift(n), text);
    };

    label(kScoreLabel);
    value(kScoreItem, std::to_string(game_.score()));
    label(kBestScoreLabel);
    value(kBestScoreItem, std::to_string(ctx_.records.bestScore(game_.gameMode())));
    for (int n = kFirstCommand; n <= kLastItem; ++n) drawCommand(n, false, itemShift(n));

    // The icon always shows the current sound switch.
    regions_.soundBox.state = ctx_.sounds.soundOptions[0];
    drawSpriteBtn(ctx_.sheet, regions_.soundBox, soundIcon(regions_.soundBox.state), false);

    if (game_.gameMode() == GameMode::Arcade) {
        label(kTimeLabel);
        value(kTimeItem, timerStr_);
        label(kLevelLabel);
        value(kLevelItem, std::to_string(game_.arcadeLevel()));
    }
    drawDailyProgress();
}

void FrmPlay::drawDailyProgress() {
    // The daily puzzle has no clock and no levels: their lines tell the required words found and
    // the bonus words.
    if (session_.daily() == nullptr) return;
    const DailyProgress p = session_.dailyProgress();
    setFontSize(*pbGrid_, fontsize::kPanel);
    auto line = [&](int n, std::string_view text) {
        fillBox(regions_.item(n));
        drawTextBtn(regions_.item(n), FrameStyle::None, false, itemShift(n), text);
    };
    line(kTimeLabel, loadResString(StringId::Words));
    line(kTimeItem, std::to_string(p.requiredFound) + " / " + std::to_string(p.requiredTotal));
    line(kLevelLabel, loadResString(StringId::Bonus));
    line(kLevelItem, std::to_string(p.bonusFound));
}

void FrmPlay::drawCommand(int n, bool hover, int shift) {
    const std::string_view caption = loadResString(itemCaption(n));
    if (hover)
        drawTextBtn(regions_.item(n), FrameStyle::Single, true, window::kHoverShift, caption);
    else
        drawTextBtn(regions_.item(n), FrameStyle::None, false, shift, caption);
}

// --- Side panel pieces --------------------------------------------------------------------------

void FrmPlay::drawScore() {
    setFontSize(*pbGrid_, fontsize::kPanel);
    drawTextBtn(regions_.item(kScoreItem), FrameStyle::None, false, itemShift(kScoreItem),
                std::to_string(game_.score()));
    setFontSize(*pbGrid_, fontsize::kList);
}

void FrmPlay::drawTime(int shift) {
    setFontSize(*pbGrid_, fontsize::kPanel);
    BoxInfo time = regions_.item(kTimeItem);
    if (game_.timeLeft() <= window::kWarningTenths) time.textColor = clrTimeWarning;
    drawTextBtn(time, FrameStyle::None, false, shift, timerStr_);
}

void FrmPlay::drawProgress() {
    const std::int32_t points = game_.gameMode() == GameMode::Arcade ? game_.levelScore() : game_.score();
    drawProgressBar(ctx_.sheet, regions_.barBox, flow::progressPercent(points, game_.targetPoints()));
    if (game_.gameMode() == GameMode::Arcade) drawLevelNeeds();
}

void FrmPlay::drawLevelNeeds() {
    platform::Surface& s = *pbGrid_;
    const platform::Font font = s.font();
    BoxInfo line;
    line.surface = &s;
    line.x = window::kNeedsLine.left;
    line.y = window::kNeedsLine.top;
    line.wid = window::kNeedsLine.right - window::kNeedsLine.left;
    line.ht = window::kNeedsLine.bottom - window::kNeedsLine.top;
    line.brush = brPlay;
    line.textColor = clrMessage;
    fillBox(line);
    setFontSize(s, fontsize::kMessage);
    setBold(s, false);
    const std::int32_t target = level(std::min<int>(game_.arcadeLevel(), kLevelCount)).target;
    const std::int32_t needed = std::max<std::int32_t>(0, target - game_.levelScore());
    const std::string text = formatResString(StringId::LevelNeeds, {"|1", target, "|2", needed});
    drawShadowText(line, 0, text, static_cast<int>(kCaptionFlags));
    s.setFont(font);
}

void FrmPlay::showPoints(int points) {
    platform::Surface& s = *pbGrid_;
    const platform::Font font = s.font();
    BoxInfo strip;
    strip.surface = &s;
    strip.x = regions_.stripBox.x;
    strip.y = regions_.stripBox.y;
    strip.wid = layout::kStripSlots * regions_.stripBox.wid;
    strip.ht = regions_.stripBox.wid + regions_.stripBox.ht;
    strip.textColor = clrStripLetter;
    setFontSize(s, window::kPointsPoints);
    drawShadowText(strip, window::kPointsShift, "+" + std::to_string(points), static_cast<int>(kCaptionFlags));
    s.setFont(font);
    pointsTimer_->setInterval(window::kPointsShowMs);
    pointsTimer_->setEnabled(true);
}

void FrmPlay::pointsShown() {
    pointsTimer_->setEnabled(false);
    // Whatever the strip shows now (letters typed meanwhile redrew it) is drawn again without them.
    if (!session_.gamePlaying()) return;
    setFontSize(*pbGrid_, fontsize::kTiles);
    drawWordStrip(ctx_.sheet, regions_.stripBox, game_);
    refresh();
}

void FrmPlay::repeatedWordShown() {
    repeatedWordTimer_->setEnabled(false);
    // The list as it is now (scrolled or grown meanwhile) without the highlight. After the end of
    // the game the list belongs to the results display and is left alone.
    if (!session_.gamePlaying()) return;
    setFontSize(*pbGrid_, fontsize::kList);
    drawFoundList(0);
    refresh();
}

void FrmPlay::drawFoundList(int selected) {
    const results::ListMode mode = session_.listMode();
    drawWordList(regions_.listBox, game_, results::listWords(game_, mode), results::listCount(game_, mode),
                 listTop_, selected);
}

void FrmPlay::scrolled() {
    setFontSize(*pbGrid_, fontsize::kList);
    drawFoundList(0);
    refresh();
}

void FrmPlay::drawFoundStats() {
    platform::Surface& s = *pbGrid_;
    const double size = s.font().points;
    setFontSize(s, fontsize::kPanel);
    const bool open = regions_.statsToggle().state == 1;
    for (int len = kShortestStatsWord; len <= kLongestStatsWord; ++len) {
        BoxInfo& row = regions_.statsRow(len - 1);
        row.brush = open ? brPanel : brPlay;
        fillBox(row);
        if (open) {
            const std::string text =
                statsRowText(len, results::foundOfLength(game_, len), results::solutionsOfLength(game_, len));
            drawShadowText(row, window::kStatsShift, text,
                           static_cast<int>(platform::text::kVCenter | platform::text::kSingleLine));
        }
    }
    drawTextBtn(regions_.statsToggle(), FrameStyle::None, false, itemShift(kScoreLabel),
                statsHeaderText(open, game_.numFoundWords(), game_.numLinkableWords()));
    setFontSize(s, size);
    refresh();
}

void FrmPlay::showMessage(Message messageId, const std::string& text) {
    platform::Surface& s = *pbGrid_;
    setFontSize(s, fontsize::kMessage);
    setBold(s, false);
    const int centred = static_cast<int>(platform::text::kCenter);
    switch (messageId) {
        case Message::Clear: fillBox(regions_.msgBox); break;
        case Message::Points:
            fillBox(regions_.msgBox);
            drawShadowText(regions_.msgBox, window::kMessageShift, formatResString(StringId::Points, {"|1", text}),
                           centred);
            break;
        case Message::AlreadyFound:
            drawShadowText(regions_.msgBox, window::kMessageShift, loadResString(StringId::AlreadyFound), centred);
            break;
        case Message::NotAWord:
            drawShadowText(regions_.msgBox, window::kMessageShift, loadResString(StringId::NotAWord), centred);
            break;
        case Message::Results:
            drawShadowText(regions_.msgBox, window::kMessageShift, loadResString(StringId::CheckMissed), centred);
            break;
    }
    setBold(s, true);
}

// --- The chain and the words --------------------------------------------------------------------

void FrmPlay::redrawBoard() {
    setFontSize(*pbGrid_, fontsize::kTiles);
    drawBoardBack(regions_.boardBox, game_);
    drawAllTiles(ctx_.sheet, regions_.boardBox, game_);
    drawWordStrip(ctx_.sheet, regions_.stripBox, game_);
}

void FrmPlay::chainChanged(std::optional<linking::Press> how, int cell) {
    // The strip is drawn afresh below: a struck-out letter still in it goes.
    refusedLetterTimer_->setEnabled(false);
    if (how == linking::Press::Started) {
        // The first letter: its tile and the strip; there is no line to draw yet.
        setFontSize(*pbGrid_, fontsize::kTiles);
        drawTile(ctx_.sheet, regions_.boardBox, game_, cell, true);
        drawWordStrip(ctx_.sheet, regions_.stripBox, game_);
    } else {
        redrawBoard();
    }
    refresh();
}

void FrmPlay::letterRefused(char32_t letter) {
    // The chain is as it was: the letter shows struck out after it for a moment, so that the
    // refusal is seen with the sound off too.
    setFontSize(*pbGrid_, fontsize::kTiles);
    drawWordStrip(ctx_.sheet, regions_.stripBox, game_);
    drawRefusedLetter(ctx_.sheet, regions_.stripBox, game_, static_cast<char>(letter));
    refresh();
    // Each refused letter has its full moment.
    refusedLetterTimer_->setEnabled(false);
    refusedLetterTimer_->setEnabled(true);
}

void FrmPlay::wordAnswered(const words::Submission& answer) {
    // A word found, now or before, is brought into view in the list.
    if (answer.answer == words::Answer::Repeated || answer.answer == words::Answer::New)
        listTop_ = static_cast<std::int16_t>(words::listTopFor(answer.index, game_.numFoundWords()));
    switch (answer.answer) {
        case words::Answer::None: return;
        case words::Answer::Refused:
            showMessage(Message::NotAWord);
            refresh();
            return;
        case words::Answer::Repeated:
            // The word found before lights up in the list for a moment; each repeat has its full
            // moment.
            setFontSize(*pbGrid_, fontsize::kList);
            drawFoundList(answer.index);
            showMessage(Message::AlreadyFound);
            refresh();
            repeatedWordTimer_->setEnabled(false);
            repeatedWordTimer_->setEnabled(true);
            return;
        case words::Answer::New:
            showMessage(Message::Points, std::to_string(answer.points));
            drawScore();
            drawFoundList(0);
            redrawBoard();
            showPoints(answer.points);
            drawProgress();
            drawFoundStats();
            drawDailyProgress();
            refresh();
            return;
    }
}

void FrmPlay::timeChanged() {
    timerStr_ = flow::formatTime(game_.timeLeft(), flow::TimeStyle::Ticking);
    drawTime(window::kTimeTickShift);
    refresh();
    // The last seconds tick away aloud, one tick at each whole second.
    if (game_.timeLeft() > 0 && game_.timeLeft() <= window::kWarningTenths && game_.timeLeft() % 10 == 0)
        ctx_.sounds.tick();
}

void FrmPlay::scoreChanged() {
    drawScore();
    refresh();
}

// --- The results display ------------------------------------------------------------------------

void FrmPlay::drawBackBtn(bool hot) {
    BoxInfo& back = regions_.backBtn;
    setFontSize(*pbGrid_, fontsize::kPanel);
    const std::string_view caption = loadResString(StringId::BackToMainMenu);
    if (hot)
        drawTextBtn(back, FrameStyle::Single, true, window::kBackHoverShift, caption);
    else
        drawTextBtn(back, FrameStyle::None, false, window::kBackShift, caption);
    back.hover = hot;
}

void FrmPlay::initiateResultsShow() {
    platform::Surface& s = *pbGrid_;
    // Commands that mean nothing after the end leave the panel, painted over with their own
    // (panel) brush.
    for (int n = kFirstCommand; n <= kLastItem; ++n) {
        if (session_.available(static_cast<Command>(n))) continue;
        BoxInfo& b = regions_.item(n);
        b.hover = false;
        fillBox(b);
    }
    drawBackBtn(false);
    // The chain the player left unfinished is gone from the board and the strip.
    redrawBoard();

    const double size = s.font().points;
    setFontSize(s, fontsize::kList);
    drawFoundList(0);
    // Message 4 draws over the line; whatever was there goes first.
    showMessage(Message::Clear);
    showMessage(Message::Results);
    setFontSize(s, size);
}

void FrmPlay::resultsReady() {
    listTop_ = 1;
    noteWord_.clear();
    initiateResultsShow();
    refresh();
}

void FrmPlay::solutionShown(int id) {
    showDefinition(game_.allSolutionWords()[id], false);
    setFontSize(*pbGrid_, fontsize::kTiles);
    drawWordStripText(ctx_.sheet, regions_.stripBox, game_.allSolutionWords()[id]);
    drawBoardBack(regions_.boardBox, game_);
    drawAllTiles(ctx_.sheet, regions_.boardBox, game_);
    refresh();
}

// --- Hints, definitions, sharing -----------------------------------------------------------------

void FrmPlay::hintGiven(const std::optional<Hint>& hint) {
    showMessage(Message::Clear);
    platform::Surface& s = *pbGrid_;
    setFontSize(s, fontsize::kMessage);
    setBold(s, false);
    std::string text = loadResString(StringId::NoHint).data();
    if (hint)
        text = formatResString(hint->level == 1 ? StringId::HintFirst : StringId::HintSecond,
                               {"|1", hint->length, "|2", hint->letters});
    drawShadowText(regions_.msgBox, window::kMessageShift, text, static_cast<int>(platform::text::kCenter));
    setBold(s, true);
    if (hint && hint->level == 2) {
        // The path's first cells lit as a chain would light them, until the board is drawn again.
        setFontSize(s, fontsize::kTiles);
        for (const int cell : hint->cells) drawTile(ctx_.sheet, regions_.boardBox, game_, cell, true);
    }
    drawDailyProgress();
    refresh();
}

void FrmPlay::showDefinition(const std::string& word, bool present) {
    if (word == noteWord_ || noteLine_.surface == nullptr) return;
    noteWord_ = word;
    noteText_.clear();
    if (!word.empty() && ctx_.definitions != nullptr) {
        if (const auto d = ctx_.definitions->lookup(word)) {
            noteText_ = d->word;
            if (!d->base.empty()) noteText_ += " (" + d->base + ")";
            for (std::size_t i = 0; i < d->glosses.size(); ++i) {
                noteText_ += i == 0 ? ": " : "; ";
                noteText_ += std::string(1, d->glosses[i].partOfSpeech) + ". " + d->glosses[i].text;
            }
        }
    }
    platform::Surface& s = *pbGrid_;
    const platform::Font font = s.font();
    fillBox(noteLine_);
    setFontSize(s, window::kNotePoints);
    setBold(s, false);
    // A long definition ends with its last whole word that fits, not cut through a letter.
    noteText_ = fitOneLine(ctx_.graphics, s.font(), noteText_, noteLine_.wid - 1);
    drawShadowText(noteLine_, 0, noteText_, static_cast<int>(platform::text::kVCenter | platform::text::kSingleLine));
    s.setFont(font);
    if (present) refresh();
}

void FrmPlay::copyShareLine() {
    const auto facts = session_.shareFacts();
    if (!facts) return;
    const std::string line = shareText(*facts);
    const bool copied = ctx_.clipboard != nullptr && ctx_.clipboard->setText(line);
    platform::Surface& s = *pbGrid_;
    showMessage(Message::Clear);
    setFontSize(s, fontsize::kMessage);
    setBold(s, false);
    drawShadowText(
        regions_.msgBox, window::kMessageShift,
        copied ? formatResString(StringId::Copied, {"|1", line}) : std::string(loadResString(StringId::NotCopied)),
        static_cast<int>(platform::text::kCenter));
    setBold(s, true);
    refresh();
}

void FrmPlay::lookUpWord() {
    if (!noteWord_.empty()) ui::lookUpWord(ctx_.shell, letters::info(game_.language()).code, noteWord_);
}

}  // namespace game::ui
