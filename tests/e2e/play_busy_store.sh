#!/usr/bin/env bash
# A best score entered while another program holds the settings store's lock, on the X display this
# runs under (xvfb-run gives one): started as "varnook --puzzle NUMBER --zoom 1", WORD is typed and
# entered, the lock is taken (flock on registry.txt.lock), "Quit game" ends the game, the name is
# typed and the table shot; "EXIT" then finds the store still busy and asks what to do: its box is
# shot and the main window's title kept, the lock is let go, and "Try Again" ends the program.
# Usage: play_busy_store.sh PROGRAM OUT NUMBER WORD NAME
# Writes to OUT: table.ppm and box.ppm with their geometry-table and geometry-box, title (the main
# window's during the box), config/ (the store) and varnook.log.
set -euo pipefail
source "$(dirname "$0")/screen.sh"
program=$1
out=$2
number=$3
word=$4
name=$5
mkdir -p "$out"
rm -rf "$out"/geometry-* "$out"/title "$out"/*.ppm "$out/config"

# Presses ($1, $2) of the window located last and waits up to 30 s for the window titled $3 to go.
press_to_close() {
  click "$1" "$2"
  for _ in $(seq 1 300); do
    xdotool search --onlyvisible --name "^$3\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "the window \"$3\" did not close"
  exit 1
}
locate() {
  eval "$(xdotool getwindowgeometry --shell "$wid")"
}

start_program --puzzle "$number" --zoom 1
await_window "Varnook - $number"
main=$wid
locate
await 300 155 "150 150 240"
xdotool mousemove $((X + 400)) $((Y + 500))
sleep 0.3
xdotool type --delay 60 "$word"
xdotool key Return
sleep 0.5

# Another program takes the store's lock and keeps it.
mkdir -p "$out/config/varnook"
exec 9>"$out/config/varnook/registry.txt.lock"
flock 9
click 66 412                      # "Quit game"
await_window "Game Statistics"
locate
sleep 0.3
press_to_close 212 172 "Game Statistics"       # "OK"
await_window "Best Score"
locate
sleep 0.3
xdotool mousemove $((X + 200)) $((Y + 112))
xdotool type --delay 80 "$name"
press_to_close 168 165 "Best Score"            # "OK"
await_window "Best Scores - Varnook"
locate
echo "$X $Y $WIDTH $HEIGHT" >"$out/geometry-table"
xdotool mousemove 0 0
sleep 0.5
shot table.ppm
press_to_close 154 411 "Best Scores - Varnook"  # "OK"

wid=$main
locate
await 300 155 "51 68 140"         # back on the main menu
click 352 451                     # "EXIT"
await_window "Not Saved"
xdotool getwindowname "$main" >"$out/title"
locate
echo "$X $Y $WIDTH $HEIGHT" >"$out/geometry-box"
xdotool mousemove 0 0
sleep 0.5
shot box.ppm
still_running "while the store was busy at exit"
# The lock is let go; "Try Again".
flock -u 9
exec 9>&-
click 108 233
await_end "after \"Try Again\" with the store free"
