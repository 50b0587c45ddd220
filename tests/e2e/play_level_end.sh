#!/usr/bin/env bash
# Ends a game by typing its last word, and types on as the end dialog appears, on the X display this
# runs under (xvfb-run gives one): started as "varnook --puzzle NUMBER", it types every word of the
# puzzle with Return after each, then at once one more word with its Return. The end dialog must
# still be up after that; half a second on, Return closes it. Usage:
# play_level_end.sh PROGRAM OUT NUMBER NEXT WORD... (NEXT: the word typed on at the end).
# Writes to OUT: dialog-after-typing (1 when "Game Statistics" was still open), dialog.ppm,
# dialog-after-return (1 when still open after the late Return), config/ and varnook.log.
set -euo pipefail
source "$(dirname "$0")/screen.sh"
program=$1
out=$2
number=$3
next=$4
shift 4
mkdir -p "$out"
rm -rf "$out"/dialog-* "$out"/*.ppm "$out/config"

start_program --puzzle "$number"
await_window "Varnook - $number"
eval "$(xdotool getwindowgeometry --shell "$wid")"
await 300 155 "150 150 240"  # the play surface is up
# Keys go to the window under the pointer (there is no window manager): the middle of the window,
# where the end dialog appears over it.
xdotool mousemove $((X + 352)) $((Y + 264))
sleep 0.3
for word in "$@"; do
  xdotool type --delay 40 "$word"
  xdotool key Return
  sleep 0.15
done
# The last Return above ended the game: the next word is typed as the dialog appears, into it.
dialog_open() { xdotool search --onlyvisible --name "^Game Statistics\$" >/dev/null 2>&1 && echo 1 || echo 0; }
for _ in $(seq 1 300); do
  [ "$(dialog_open)" = 1 ] && break
  sleep 0.02
done
xdotool type --delay 20 "$next" key Return
sleep 0.2
dialog_open >"$out/dialog-after-typing"
shot dialog.ppm
sleep 0.6
xdotool key Return
sleep 0.5
dialog_open >"$out/dialog-after-return"
still_running "after the end dialog"
