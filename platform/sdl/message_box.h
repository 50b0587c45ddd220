// The standard message box of the SDL back end, drawn by the program itself: a caption, the text
// (wrapped to the box), and an OK button. SDL's own message box needs zenity or the X server's core
// fonts, which a desktop may not have; this one shows wherever the game's windows show.
#pragma once

#include <string_view>

namespace platform {

class Ui;

// Shows the box modally on ui and returns when the player has closed it (OK, Enter, Esc, Space or
// the close box). False when no window could be made (the caller then reports the text otherwise).
bool showMessageBox(Ui& ui, std::string_view caption, std::string_view text);

}  // namespace platform
