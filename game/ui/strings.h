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

struct ResString {
    int number;
    std::string_view text;
};

// Every text the player reads on the game's own surfaces, by number. Callers compute some numbers
// (caption = 60 + item, 80 + menu entry, 30 + mode, 90 + button, 230 + button), so they are fixed.
constexpr std::array<ResString, 36> kStringTable{{
    {31, "Classic Mode"},
    {32, "Arcade Mode"},
    {62, "Score"},
    {64, "Best Score"},
    {66, "Time"},
    {68, "Level"},
    {70, "Hall of Fame"},
    {71, "Pause"},
    {72, "Instructions"},
    {73, "Show Solution"},
    {74, "Quit game"},
    {75, "Main Menu"},
    {76, "Save and Exit"},
    {77, "Enter"},
    {78, "Clear"},
    {81, "CLASSIC GAME"},
    {82, "ARCADE GAME"},
    {83, "HALL OF FAME - CLASSIC"},
    {84, "HALL OF FAME - ARCADE"},
    {85, "INSTRUCTTIONS"},
    {86, "EXIT"},
    {91, "OK"},
    {92, "Clear Scores"},
    {110, "Congrats ! You have found all the |1 words"},
    {111, "You found |1 of |2 words \n Your score of |3 is \n|4 percent of maximum score possible."},
    {112, "You qualified for the next level \n with |1 seconds to spare\n and you get |2 bonus points "},
    {113, "Excellent work. You completed all the |1 levels."},
    {115, "Game Over \n Level reached |1 \n Points Scored |2"},
    {200, "Back to Main Menu "},
    {210, "Word Already in the list"},
    {211, "No such word in the list"},
    {212, "|1 points"},
    {213, "Check the words you missed in the list box, or go back to main menu"},
    {230, "Do you want to play the saved game ?"},
    {231, "Yes"},
    {232, "No thanks"},
}};

// The text of entry number; an unknown number gives an empty text.
std::string_view loadResString(int number);

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
std::string formatResString(int number, std::span<const ResArg> args);
std::string formatResString(int number, std::initializer_list<ResArg> args);
// The same filling applied to any text.
std::string fillPlaceholders(std::string text, std::span<const ResArg> args);

}  // namespace game::ui
