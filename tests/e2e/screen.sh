# Reading and pressing the window under test on the X display, for the end-to-end scripts (sourced).
# Positions are relative to the client area at ($X, $Y) that the script has located; shots go to $out.

shot() { xwd -root -silent | xwdtopnm 2>/dev/null | pamdepth 255 >"$out/$1"; }
click() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; sleep 0.3; }
# The colour "r g b" of one pixel of the client area, as the screen shows it.
pixel() {
  xwd -root -silent | xwdtopnm 2>/dev/null | pamdepth 255 |
    pnmcut -left $((X + $1)) -top $((Y + $2)) -width 1 -height 1 | pnmtoplainpnm | tail -n 1 | xargs
}
# Waits (up to 30 s on a busy machine) until the pixel shows the colour.
await() {
  for _ in $(seq 1 300); do
    [ "$(pixel "$1" "$2")" = "$3" ] && return 0
    sleep 0.1
  done
  echo "pixel ($1, $2) never became $3 (it is $(pixel "$1" "$2"))"
  exit 1
}
# Waits until the pixel shows anything but the colour.
await_not() {
  for _ in $(seq 1 300); do
    [ "$(pixel "$1" "$2")" != "$3" ] && return 0
    sleep 0.1
  done
  echo "pixel ($1, $2) stayed $3"
  exit 1
}

# Starts $program with the given arguments (SDL on the X display, no sound device) on a settings
# store of its own, $out/config; $pid is its process, killed when the script ends.
start_program() {
  env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$(cd "$out" && pwd)/config" \
    "$program" "$@" >"$out/varnook.log" 2>&1 &
  pid=$!
  trap 'kill "$pid" 2>/dev/null || true' EXIT
}
# Sets $wid to the visible window titled exactly $1, waiting up to 60 s; fails when the program
# ends first.
await_window() {
  wid=""
  for _ in $(seq 1 600); do
    wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$wid" ] && return 0
    kill -0 "$pid" 2>/dev/null || { echo "varnook ended before showing its window"; cat "$out/varnook.log"; exit 1; }
    sleep 0.1
  done
  echo "no window \"$1\" appeared"
  exit 1
}
# Fails, with the program's log, when the program has ended; $1 says when ("while typing").
still_running() {
  kill -0 "$pid" 2>/dev/null || { echo "varnook ended $1"; cat "$out/varnook.log"; exit 1; }
}
# Ends the script well when the program ends within 30 s, and fails when it does not; $1 says
# after what it should have ended.
await_end() {
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || exit 0
    sleep 0.1
  done
  echo "varnook did not end $1"
  exit 1
}
