#!/usr/bin/env bash
# Browses a long results list with the wheel and the keys on the X display this runs under
# (xvfb-run gives one): started as "varnook --puzzle NUMBER", Ctrl+L ("Show Solution") opens the
# results; with the pointer over list row ROW the wheel turns NOTCHES notches down, then Page Down
# moves a page on. Usage: play_results_keys.sh PROGRAM OUT NUMBER ROW NOTCHES.
# Writes to OUT: geometry, wheel.ppm (after the wheel), page.ppm (after Page Down), config/ and
# varnook.log.
set -euo pipefail
source "$(dirname "$0")/screen.sh"
program=$1
out=$2
number=$3
row=$4
notches=$5
mkdir -p "$out"
rm -rf "$out"/geometry "$out"/*.ppm "$out/config"

start_program --puzzle "$number"
await_window "Varnook - $number"
eval "$(xdotool getwindowgeometry --shell "$wid")"
echo "$X $Y $WIDTH $HEIGHT" >"$out/geometry"
await 300 155 "150 150 240"  # the play surface is up
# Keys and the wheel go to the window under the pointer: a row of the word list.
xdotool mousemove $((X + 588)) $((Y + 60 + 20 * row + 10))
sleep 0.3
xdotool key ctrl+l
await 330 112 "51 68 140"  # "Back to Main Menu ": the results are up
# Waits until the screen stays the same for 0.4 s: every notch and key has been drawn (a slow build
# draws each step visibly).
settle() {
  local before now
  before=$(xwd -root -silent | md5sum)
  for _ in $(seq 1 100); do
    sleep 0.4
    now=$(xwd -root -silent | md5sum)
    [ "$now" = "$before" ] && return 0
    before=$now
  done
}
xdotool click --repeat "$notches" --delay 80 5
settle
shot wheel.ppm
xdotool key Next
settle
shot page.ppm
still_running "in the results display"
