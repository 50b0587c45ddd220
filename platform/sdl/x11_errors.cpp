// The X error filter of the SDL back end on X11: drops the one harmless error that SDL's own event
// wait can draw, so that Xlib's default handler does not end the program for it.
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include "x11_errors.h"

namespace platform::detail {

namespace {

XErrorHandler previousHandler = nullptr;

// SDL wakes its event wait by sending an event to its newest window over a second connection to
// the X server. When that window is destroyed on the main connection just after (a dialog closed
// by a press), a busy server may carry out the destroy first and answer the wakeup with BadWindow.
// Nothing was lost: the error is dropped. Every other error goes to the handler that was there.
int filterErrors(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    return previousHandler != nullptr ? previousHandler(display, error) : 0;
}

}  // namespace

void dropStaleWakeupErrors() {
    // SDL puts its own handler back each time its video stops, so each start installs the filter.
    const XErrorHandler before = XSetErrorHandler(filterErrors);
    if (before != filterErrors) previousHandler = before;
}

}  // namespace platform::detail
