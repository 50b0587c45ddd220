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

// Every text the player reads on the game's own surfaces, by number: one list that makes the
// enumeration StringId and the table. Callers compute some numbers (caption = 60 + item, 80 + menu
// entry, 30 + mode, 90 + button, 230 + button), so the numbers are fixed.
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
    X(BackToMainMenu, 200, "Back to Main Menu ")                                                                     \
    X(AlreadyFound, 210, "Word Already in the list")                                                                 \
    X(NotAWord, 211, "No such word in the list")                                                                     \
    X(Points, 212, "|1 points")                                                                                      \
    X(CheckMissed, 213, "Check the words you missed in the list box, or go back to main menu")                       \
    X(SavedGameQuestion, 230, "Do you want to play the saved game ?")                                                \
    X(Yes, 231, "Yes")                                                                                               \
    X(NoThanks, 232, "No thanks")

enum class StringId : int {
#define VARNOOK_STRING_ID(name, number, text) name = number,
    VARNOOK_STRING_TABLE(VARNOOK_STRING_ID)
#undef VARNOOK_STRING_ID
};

// The entry n places after base, for the numbers callers compute (60 + item and so on).
constexpr StringId offsetString(StringId base, int n) { return static_cast<StringId>(static_cast<int>(base) + n); }

struct ResString {
    StringId id;
    std::string_view text;
};

constexpr ResString kStringTable[] = {
#define VARNOOK_STRING_ENTRY(name, number, text) {StringId::name, text},
    VARNOOK_STRING_TABLE(VARNOOK_STRING_ENTRY)
#undef VARNOOK_STRING_ENTRY
};

// The text of an entry; a number the table does not hold gives an empty text.
std::string_view loadResString(StringId id);

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
