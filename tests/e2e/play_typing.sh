#!/usr/bin/env bash
# Types words into the real program on the X display this runs under (xvfb-run gives one): started
# as "varnook --puzzle NUMBER --zoom ZOOM", it must show that puzzle's number in its title; each word
# is typed and entered with the Return key, then the start of one more word is typed and left on the
# board, the window is shot, and "Save and Exit" ends the program (the saved game holds the score and
# the found words). Usage: play_typing.sh PROGRAM OUT NUMBER ZOOM PARTIAL WORD...
# Writes to OUT: geometry (client x y width height), title, typed.ppm, screenshot-typing.png (the
# window only), config/ (the store) and varnook.log.
set -euo pipefail
source "$(dirname "$0")/screen.sh"
program=$1
out=$2
number=$3
zoom=$4
partial=$5
shift 5
mkdir -p "$out"
rm -rf "$out"/geometry "$out"/title "$out"/*.ppm "$out"/*.png "$out/config"

start_program --puzzle "$number" --zoom "$zoom"
await_window "Varnook - $number"
xdotool getwindowname "$wid" >"$out/title"
eval "$(xdotool getwindowgeometry --shell "$wid")"
echo "$X $Y $WIDTH $HEIGHT" >"$out/geometry"

# Positions below are the picture's; the window shows each of its pixels zoom x zoom times.
at() { echo $(($1 * zoom + zoom / 2)); }
await "$(at 300)" "$(at 155)" "150 150 240"  # the play surface is up, no menu first
# Keys go to the window under the pointer (there is no window manager).
xdotool mousemove $((X + $(at 400))) $((Y + $(at 500)))
sleep 0.3
for word in "$@"; do
  xdotool type --delay 60 "$word"
  xdotool key Return
  sleep 0.4
done
xdotool type --delay 60 "$partial"
await_not "$(at 286)" "$(at 66)" "150 150 240"  # the third slot of the word strip holds a letter
sleep 0.3
shot typed.ppm
pnmcut -left "$X" -top "$Y" -width "$WIDTH" -height "$HEIGHT" "$out/typed.ppm" | pnmtopng >"$out/screenshot-typing.png"
still_running "while typing"

click "$(at 66)" "$(at 472)"  # "Save and Exit"
await_end "after \"Save and Exit\""
