// The game's numbered string table and the placeholder filling of its texts ("|1" to "|4").
#pragma once

#include <array>
#include <concepts>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace game::ui {

// Every text the player reads on the game's own surfaces, in its message boxes and in the command
// line's usage, by number: one list that makes the enumeration StringId, the English table and the
// names the translations are kept under (assets/lang/<code>.po, msgctxt). Callers compute some
// numbers (caption = 60 + item, 80 + menu entry, 30 + mode, 90 + button, 230 + button), so the
// numbers are fixed; the texts from 300 on are the game's later ones.
#define VARNOOK_STRING_TABLE(X)                                                                                      \
    X(ClassicMode, 31, "Classic Mode")                                                                               \
    X(ArcadeMode, 32, "Arcade Mode")                                                                                 \
    X(Score, 62, "Score")                                                                                            \
    X(BestScore, 64, "Best Score")                                                                                   \
    X(Time, 66, "Time")                                                                                              \
    X(Level, 68, "Level")                                                                                            \
    X(HallOfFame, 70, "Hall of Fame")                                                                                \
    X(Pause, 71, "Pause")                                                                                            \
    X(Instructions, 72, "Instructions")                                                                              \
    X(ShowSolution, 73, "Show Solution")                                                                             \
    X(QuitGame, 74, "Quit game")                                                                                     \
    X(MainMenu, 75, "Main Menu")                                                                                     \
    X(SaveAndExit, 76, "Save and Exit")                                                                              \
    X(Enter, 77, "Enter")                                                                                            \
    X(Clear, 78, "Clear")                                                                                            \
    X(MenuClassic, 81, "CLASSIC GAME")                                                                               \
    X(MenuArcade, 82, "ARCADE GAME")                                                                                 \
    X(MenuHallOfFameClassic, 83, "HALL OF FAME - CLASSIC")                                                           \
    X(MenuHallOfFameArcade, 84, "HALL OF FAME - ARCADE")                                                             \
    X(MenuInstructions, 85, "INSTRUCTTIONS")                                                                         \
    X(MenuExit, 86, "EXIT")                                                                                          \
    X(MenuDaily, 87, "Daily puzzle")                                                                                 \
    X(MenuPuzzleNumber, 88, "Puzzle number")                                                                         \
    X(MenuStatistics, 89, "Statistics")                                                                              \
    X(Ok, 91, "OK")                                                                                                  \
    X(ClearScores, 92, "Clear Scores")                                                                               \
    X(AllFound, 110, "Congrats ! You have found all the |1 words")                                                   \
    X(Percentage, 111, "You found |1 of |2 words \n Your score of |3 is \n|4 percent of maximum score possible.")    \
    X(Qualified, 112, "You qualified for the next level \n with |1 seconds to spare\n and you get |2 bonus points ") \
    X(AllLevels, 113, "Excellent work. You completed all the |1 levels.")                                            \
    X(GameOver, 115, "Game Over \n Level reached |1 \n Points Scored |2")                                            \
    X(DailyDone, 120, "Daily puzzle |1 done !\n You found all the |2 words \n and |3 bonus words")                   \
    X(HintsUsed, 121, " \n Hints used: |1")                                                                          \
    X(Words, 122, "Words")                                                                                           \
    X(Bonus, 123, "Bonus")                                                                                           \
    X(HintFirst, 124, "Hint: a word of |1 letters, starting with |2")                                                \
    X(HintSecond, 125, "Hint: a word of |1 letters, starting with |2 (lit on the board)")                            \
    X(NoHint, 126, "No word left to hint at")                                                                        \
    X(Copied, 127, "Copied: |1")                                                                                     \
    X(NotCopied, 128, "The clipboard could not be had")                                                              \
    X(ShareCopied, 129, "The share line is on the clipboard")                                                        \
    X(OtherLanguagePuzzle, 130, "That puzzle is of another language than the game played now (|1).")                 \
    X(TypeANumber, 131, "Type a number first.")                                                                      \
    X(PuzzleNumberPrompt, 132, "Type the number of a puzzle, as 5x4-1234:")                                          \
    X(Cancel, 133, "Cancel")                                                                                         \
    X(NotAPuzzleNumber, 134, "'|1' is not a puzzle number of the form WxH-SEED (e.g. 5x4-1234)")                     \
    X(NotAClassicSize, 135, "|1 is not a board size of Classic Mode (|2)")                                           \
    X(SeedOutOfRange, 136, "the seed |1 is not between 0 and |2")                                                    \
    X(CopyHint, 137, "Ctrl+C copies the share line")                                                                 \
    X(BackToMainMenu, 200, "Back to Main Menu ")                                                                     \
    X(AlreadyFound, 210, "Word Already in the list")                                                                 \
    X(NotAWord, 211, "No such word in the list")                                                                     \
    X(Points, 212, "|1 points")                                                                                      \
    X(CheckMissed, 213, "Check the words you missed in the list box, or go back to main menu")                       \
    X(SavedGameQuestion, 230, "Do you want to play the saved game ?")                                                \
    X(Yes, 231, "Yes")                                                                                               \
    X(NoThanks, 232, "No thanks")                                                                                    \
    /* The main window: the language button, the pause label, an Arcade level's target. */                           \
    X(LanguageName, 300, "English")                                                                                  \
    X(PauseCaption, 301, "Click here to resume the game")                                                            \
    X(LevelNeeds, 302, "Level target |1 points: |2 to go")                                                           \
    X(StatsRow, 303, " |1 Letter |2/|3")                                                                             \
    X(FoundOpen, 304, " - Found |1 / |2")                                                                            \
    X(FoundClosed, 305, " + Found |1 / |2")                                                                          \
    /* The dialogs' captions. */                                                                                     \
    X(QuestionCaption, 310, "Do you want to exit")                                                                   \
    X(EndDialogCaption, 311, "Game Statistics")                                                                      \
    /* The Hall of Fame windows and the box asked at exit when the records cannot be written. */                     \
    X(NameDialogCaption, 320, "Best Score")                                                                          \
    X(NamePrompt, 321, "Enter Your Name")                                                                            \
    X(Congratulation, 322, " Congratulations ! \r\n You have the best Score In \r\n|1")                              \
    X(HallOfFameCaption, 323, "Best Scores - |1")                                                                    \
    X(UnsavedNote, 324, "* not saved yet")                                                                           \
    X(UnsavedCaption, 325, "Not Saved")                                                                              \
    X(TryAgain, 326, "Try Again")                                                                                    \
    X(LeaveAnyway, 327, "Leave Anyway")                                                                              \
    X(UnsavedText, 328,                                                                                              \
      "The settings could not be written: another program\nmay be using them, or their folder cannot be\n"           \
      "written. If you leave now, this is lost:\n")                                                                  \
    X(UnsavedScore, 329, "|1: |2 points, |3")                                                                        \
    X(UnsavedCleared, 330, "|1: the scores cleared")                                                                 \
    X(UnsavedSound, 331, "the sound switch")                                                                         \
    X(UnsavedZoom, 332, "the window's zoom")                                                                         \
    X(UnsavedLanguage, 333, "the language")                                                                          \
    X(UnsavedMore, 334, "and |1 more")                                                                               \
    /* The statistics window. */                                                                                     \
    X(Statistics, 340, "Statistics")                                                                                 \
    X(StatsClassic, 341, "Classic")                                                                                  \
    X(StatsArcade, 342, "Arcade")                                                                                    \
    X(StatsDaily, 343, "Daily")                                                                                      \
    X(StatsPlayed, 344, "Played")                                                                                    \
    X(StatsFinished, 345, "Finished")                                                                                \
    X(StatsBest, 346, "Best")                                                                                        \
    X(StatsAverage, 347, "Average")                                                                                  \
    X(StatsLongestWord, 348, "Longest word")                                                                         \
    X(StatsDailyLine, 349, "Days played |1     Current streak |2     Longest streak |3")                             \
    X(StatsChartLabel, 350, "Required words found, last 30 days")                                                    \
    /* Message boxes. */                                                                                             \
    X(HelpNotOpened, 360,                                                                                            \
      "The instructions could not be opened. They are in the file\n|1\nwhich any web browser can show.")             \
    X(SettingsFailed, 361, " Error Failerd")                                                                         \
    X(SaveFailed, 362, " Sorry - Save Failerd ")                                                                     \
    X(CheckSavedGameFailed, 363, " Error - Loading the Saved Game Failerd")                                          \
    X(LoadSavedGameFailed, 364, " Error - Load Saved Game Failerd")                                                  \
    X(SavedGameNotTaken, 365,                                                                                        \
      "The saved game could not be marked as taken in the settings, so it was not resumed. It is still "             \
      "saved: make sure the settings can be written, then start the game again.")                                    \
    X(SavedGameTakenElsewhere, 366, "The saved game has already been resumed by another copy of the game.")          \
    X(SettingsSetAside, 367,                                                                                         \
      "The settings could not be read, so the game starts with new ones. The old settings were kept in |1.")         \
    X(EngineNotLoaded, 368, "The puzzle engine |1 could not be loaded from the program folder |2.\n\n|3")            \
    X(DictionaryMissing, 369, "The dictionary |1 is missing or unreadable in the program folder |2.")                \
    X(DictionaryRefused, 370,                                                                                        \
      "The dictionary |1 of the language |2 is missing or unreadable in the program folder |3. The game is played "  \
      "in English.")                                                                                                 \
    X(SavedGameDictionaryRefused, 371,                                                                               \
      "The dictionary |1 of the language |2 is missing or unreadable in the program folder |3. The saved game "      \
      "cannot be played.")                                                                                           \
    /* The command line's usage and what it says of a wrong command line. */                                         \
    X(UsageLine, 380, "Usage: |1 [OPTION]...")                                                                       \
    X(UsageAbout, 381, "The word-finding game: link neighbouring letters into words.")                               \
    X(UsageOptions, 382, "Options:")                                                                                 \
    X(OptionHelp, 383, "print this help and exit")                                                                   \
    X(OptionVersion, 384, "print the version and exit")                                                              \
    X(OptionPuzzle, 385, "start a Classic game on the puzzle of this number (e.g. 5x4-1234)")                        \
    X(OptionLanguage, 386, "play in this language: en, fr, de, es, it, nl or pt")                                    \
    X(OptionZoom, 387, "draw the windows N times larger (1 to 4)")                                                   \
    X(OptionDaily, 388, "start the daily puzzle of today")                                                           \
    X(OptionToday, 389, "take this day for today (the daily puzzle, the statistics)")                                \
    X(UnexpectedArgument, 390, "unexpected argument '|1'")                                                           \
    X(UnknownOption, 391, "unknown option '|1'")                                                                     \
    X(TakesNoValue, 392, "|1 takes no value")                                                                        \
    X(NeedsValue, 393, "|1 needs a value")                                                                           \
    X(DailyOrPuzzle, 394, "--daily and --puzzle each start a game: give one of them")                                \
    X(NotABoardOf, 395, "the puzzle |1 is not a board of the language |2")                                           \
    X(NotALanguage, 396, "'|1' is not a language Varnook plays (|2)")                                                \
    X(NotAZoom, 397, "'|1' is not a zoom from |2 to |3")                                                             \
    X(NotADate, 398, "'|1' is not a date as 2026-12-08")

enum class StringId : int {
#define VARNOOK_STRING_ID(name, number, text) name = number,
    VARNOOK_STRING_TABLE(VARNOOK_STRING_ID)
#undef VARNOOK_STRING_ID
};

// The entry n places after base, for the numbers callers compute (60 + item and so on).
constexpr StringId offsetString(StringId base, int n) { return static_cast<StringId>(static_cast<int>(base) + n); }

// One entry of the English table: its number, its stable name and its text.
struct ResString {
    StringId id;
    std::string_view name;
    std::string_view text;
};

constexpr ResString kStringTable[] = {
#define VARNOOK_STRING_ENTRY(name, number, text) {StringId::name, #name, text},
    VARNOOK_STRING_TABLE(VARNOOK_STRING_ENTRY)
#undef VARNOOK_STRING_ENTRY
};

// The English text of an entry; a number the table does not hold gives an empty text.
constexpr std::string_view loadEnglish(StringId id) {
    for (const ResString& entry : kStringTable)
        if (entry.id == id) return entry.text;
    return {};
}

// The text of an entry in the language of the texts (textLanguage), or its English text where that
// language has none; a number the table does not hold gives an empty text.
std::string_view loadResString(StringId id);

// The language the texts are shown in: a code of the catalogue ("fr"), English ("en") by default.
// A code without a catalogue shows English.
void setTextLanguage(std::string_view code);
std::string_view textLanguage();

// A text given in English (an option's help in a table of its own): its translation when the table
// holds that English text, else the text itself.
std::string_view translate(std::string_view english);

// One element of a placeholder argument array: a whole number, a fraction or a string.
class ResArg {
public:
    template <std::integral T>
    requires(!std::same_as<T, bool>) ResArg(T v) : value_(static_cast<long long>(v)) {}
    ResArg(double v) : value_(v) {}
    ResArg(const char* s) : value_(std::string(s ? s : "")) {}
    ResArg(std::string_view s) : value_(std::string(s)) {}
    ResArg(std::string s) : value_(std::move(s)) {}

    // Plain decimal for numbers: no grouping, a minus sign when negative, for fractions a decimal
    // point and only the significant decimals (15 significant digits at most, never an exponent).
    std::string toString() const;

private:
    std::variant<long long, double, std::string> value_;
};

// Entry number with its placeholders filled from (key, value) pairs: every occurrence of each key is
// replaced by its value, pair by pair. A last key without a value takes the previous pair's value
// (empty for the first pair).
std::string formatResString(StringId id, std::span<const ResArg> args);
std::string formatResString(StringId id, std::initializer_list<ResArg> args);
// The same filling applied to any text.
std::string fillPlaceholders(std::string text, std::span<const ResArg> args);

}  // namespace game::ui
