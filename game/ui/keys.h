// The keyboard's reach on the play surface: which key gives which command of the side panels
// (letters type words while a game is on, so the commands take Ctrl with a letter, or a function
// key), and where the list keys and the wheel take the word list.
#pragma once

#include <optional>

#include "game/ui/side_panel.h"
#include "platform/window.h"

namespace game::ui::keys {

// What a key does on the play surface besides the commands: the sound switch and the
// found-statistics toggle, which are presses on their icons.
enum class PanelAction { Command, SoundSwitch, FoundStats };

struct PanelKey {
    PanelAction action = PanelAction::Command;
    Command command = Command::HallOfFame;  // for PanelAction::Command
};

// Ctrl with a letter ('a' to 'z'): H Hall of Fame, P Pause, L Show Solution, Q Quit game, M Main
// Menu, S Save and Exit, O the sound switch, F the found statistics, I a hint, C copies the share
// line (results), D looks the word pointed at up in the online dictionary. nullopt for other letters.
std::optional<PanelKey> panelKeyOf(char32_t ctrlLetter);
// On the main menu Ctrl+L (Show Solution's key on the play surface) goes on to the next language.
constexpr char32_t kNextLanguage = U'l';
// F1 opens the instructions.
std::optional<PanelKey> panelKeyOf(platform::Key key);

// The word list's rows and how far one wheel notch scrolls it.
constexpr int kWheelRows = 3;

// Where a list key (Up, Down, Page Up, Page Down, Home, End) takes a list of count words showing
// rows words from top: the word it moves to (current, 1-based; from none, below 1, Up and Down go
// to the top row's word) and the first word shown, which keeps current in view. Page keys move
// both by a page.
struct ListPlace {
    int top = 1;
    int current = 0;
    friend constexpr bool operator==(const ListPlace&, const ListPlace&) = default;
};
std::optional<ListPlace> browse(platform::Key key, int count, int rows, ListPlace from);

// The first word shown after scrolling by steps words (positive down), within 1 and the last full
// page.
int scrolledTop(int top, int steps, int count, int rows);

}  // namespace game::ui::keys
