// The functions of web_library.js, the browser side of the web back end. Strings are UTF-8 unless
// said otherwise; sizes and positions of windows are in device pixels.
#pragma once

#include <cstdint>

extern "C" {
// Waits until an event is queued (js_wake) or ms milliseconds have passed; the program's stack is
// kept meanwhile (ASYNCIFY), so the page stays live.
void js_wait(double ms);
// Ends a js_wait at the next turn of the browser's loop.
void js_wake(void);
// Windows: a <canvas> with a caption bar; the first window made is the main one, shown under the
// page's header, the others as dialogs in front of it.
void js_window_create(int id);
void js_window_caption(int id, const char* caption);
void js_window_show(int id, int visible);
// Shows w x h RGBA pixels.
void js_window_present(int id, const std::uint32_t* rgba, int w, int h);
void js_window_destroy(int id);
// Where the page point (x, y) in CSS pixels lies on the window's canvas, in device pixels: out[0],
// out[1]. 1 when the window is shown and the point lies on its canvas.
int js_window_point(int id, double x, double y, double* out);
// The room for the main window: the viewport less the header, in device pixels.
void js_viewport(int* size);
// The message box in the page: shown by js_message_box, closed by its button, Enter, Esc or
// js_message_box_close.
void js_message_box(const char* caption, const char* text);
int js_message_box_open(void);
void js_message_box_close(void);
// The game is over in this page: says so, with a way to start again.
void js_page_ended(void);
// localStorage: the item's bytes (each character one byte), its size or -1 when there is none.
int js_store_size(const char* key);
void js_store_read(const char* key, char* bytes);
// 1 when the item could be written.
int js_store_write(const char* key, const char* bytes, int size);
// Plays the data file of that name through Web Audio, replacing the sound playing; stops it.
void js_sound_play(const char* name);
void js_sound_stop(void);
// Opens the data file of that name in a new tab; 0 when the browser refused.
int js_open(const char* name);
// Fetches the site's file name into the memory file system as path, the program waiting meanwhile
// (ASYNCIFY); 1 when it was written.
int js_fetch_file(const char* name, const char* path);
}
