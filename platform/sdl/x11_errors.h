// The SDL back end's X error filter (x11_errors.cpp).
#pragma once

namespace platform::detail {

// Installs, after SDL's X11 video has started, an X error handler that drops BadWindow
// errors of event sends (SDL's wakeups of a window destroyed meanwhile) and hands every other
// error to the handler before it.
void dropStaleWakeupErrors();

}  // namespace platform::detail
