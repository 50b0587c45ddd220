// The services the game gets from its platform, one small interface each, bundled for hand-over.
#pragma once

#include "platform/graphics.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/window.h"

namespace platform {

class Store;      // the settings store (platform/store.h)
class Clipboard;  // the desktop's clipboard (platform/clipboard.h)

struct Services {
    Graphics* graphics = nullptr;
    Ui* ui = nullptr;
    Sound* sound = nullptr;
    Shell* shell = nullptr;
    Store* store = nullptr;
    Clipboard* clipboard = nullptr;
};

}  // namespace platform
