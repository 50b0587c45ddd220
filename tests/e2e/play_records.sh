#!/usr/bin/env bash
# The records with the real program on the X display this runs under (xvfb-run gives one), over three
# starts on a settings store of their own:
#   1. "CLASSIC GAME", then "Save and Exit" while the store cannot be written: the player is told, and
#      the game stays on screen; with the store back, "Save and Exit" again: the program ends.
#   2. The saved game is offered and taken ("Yes"); a word of its board (found with qx from the
#      stored letters) is linked, each letter seen in the word strip, and entered; "Quit game" ends
#      it with a score that ranks on the fresh table: the end dialog, the name dialog (a name is
#      typed), the Hall of Fame table. "EXIT".
#   3. No offer any more; "HALL OF FAME - CLASSIC" shows the table beside the menu. "EXIT".
# Writes to the output folder: saved.ppm, save-failed.ppm, resumed.ppm, name.ppm, table.ppm, menu-table.ppm, the
# geometry of each (geometry-<name>: x y width height), word (the word and its cells), config/
# (the store) and varnook-<run>.log.
set -euo pipefail
source "$(dirname "$0")/screen.sh"
program=$1
out=$2
qx=$(dirname "$program")/qx
mkdir -p "$out"
rm -rf "$out"/geometry-* "$out"/*.ppm "$out"/*.png "$out"/word "$out/config"
config="$(cd "$out" && pwd)/config"

pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null || true' EXIT

launch() {
  # SDL must use the X display, not a dummy driver a test runner may have set.
  env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$config" "$program" >"$out/varnook-$1.log" 2>&1 &
  pid=$!
}
# The main window's title: the program's name, with the puzzle's number during a Classic game.
main_title='Varnook( - [0-9]+x[0-9]+-[0-9]+)?'
# The id of the visible window whose whole title matches this pattern, waiting up to 60 s for it.
find_window() {
  local wid=""
  for _ in $(seq 1 600); do
    wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$wid" ] && { echo "$wid"; return 0; }
    kill -0 "$pid" 2>/dev/null || { echo "varnook ended before showing \"$1\"" >&2; return 1; }
    sleep 0.1
  done
  echo "no window \"$1\" appeared; the windows there are:" >&2
  local visible
  visible=" $(xdotool search --onlyvisible --name '.*' 2>/dev/null | xargs) "
  xdotool search --name '.*' 2>/dev/null | while read -r w; do
    state=hidden
    [[ $visible == *" $w "* ]] && state=visible
    echo "  $w \"$(xdotool getwindowname "$w" 2>/dev/null)\" $state" >&2
  done
  shot no-window.ppm
  return 1
}
# Sets X Y WIDTH HEIGHT to the window's client area and records them under a name.
locate() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT" >"$out/geometry-$2"
}
# Presses a button of the window titled $1 at ($2, $3) once and waits up to 30 s for that window to
# close: a press is never lost, not even the first one after another window closed on a press.
press_to_close() {
  click "$2" "$3"
  for _ in $(seq 1 300); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "the window \"$1\" did not close"
  exit 1
}
# Waits up to 30 s for the program to end by itself.
await_exit() {
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" || true; pid=""; return 0; }
    sleep 0.1
  done
  echo "varnook did not end after $1"
  exit 1
}
# A binary value of the stored saved game as hex bytes separated by spaces.
stored_bytes() {
  sed -n "/^\[Software\\\\Mirrim\\\\Varnook\\\\1.0\\\\SAVE\]/,/^\[/p" "$config/varnook/registry.txt" |
    sed -n "s/^\"$1\"=binary://p" | tr ',' ' '
}

panel="51 68 140"
play="150 150 240"

# ---- 1. A game, saved -------------------------------------------------------------------------------
launch save
main=$(find_window "$main_title")
locate "$main" saved
await 300 155 "$panel"
click 352 209                     # "CLASSIC GAME"
await 300 155 "$play"
xdotool mousemove 0 0
sleep 0.3
shot saved.ppm

# The store's folder gives way to a plain file: the save cannot be written.
mv "$config/varnook" "$config/varnook-away"
: >"$config/varnook"
click 66 472                      # "Save and Exit"
box=""
for _ in $(seq 1 300); do
  box=$(xdotool search --onlyvisible --name '^Varnook$' 2>/dev/null | grep -vx "$main" | head -1 || true)
  [ -n "$box" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "varnook ended after a \"Save and Exit\" that could not save"; exit 1; }
  sleep 0.1
done
[ -n "$box" ] || { echo "no message box for the failed save"; exit 1; }
sleep 0.3
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
for _ in $(seq 1 300); do
  xdotool search --onlyvisible --name '^Varnook$' 2>/dev/null | grep -qvx "$main" || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null || { echo "varnook ended after a \"Save and Exit\" that could not save"; exit 1; }
locate "$main" save-failed
await 300 155 "$play"
xdotool mousemove 0 0
sleep 0.3
shot save-failed.ppm

# The folder comes back; the second try saves and ends the program.
rm "$config/varnook"
mv "$config/varnook-away" "$config/varnook"
click 66 472                      # "Save and Exit"
await_exit "\"Save and Exit\""

# The stored board, and a word on it from the engine itself.
read -r w _ <<<"$(stored_bytes WIDTH)"
read -r h _ <<<"$(stored_bytes HEIGHT)"
width=$((16#$w))
height=$((16#$h))
board=""
i=0
for byte in $(stored_bytes BYTE_DATA); do
  [ $i -gt 0 ] && [ $((i % width)) -eq 0 ] && board+="/"
  board+=$(printf "\\x$byte" | tr 'A-Z' 'a-z')
  i=$((i + 1))
done
[ $i -eq $((width * height)) ] || { echo "stored board has $i letters for ${width}x$height"; exit 1; }
read -r word cells <<<"$("$qx" solve --board "$board" | awk '/^3 letters/ { getline; print $1, $2; exit }')"
[ -n "$word" ] || { echo "no three-letter word on the stored board $board"; exit 1; }
echo "$word $cells $width $height" >"$out/word"

# ---- 2. Resumed, a word found, the game quit: name dialog and table ------------------------------
launch resume
question=$(find_window "Do you want to exit")
locate "$question" question
sleep 0.3
press_to_close "Do you want to exit" 108 170   # "Yes"
main=$(find_window "$main_title")
locate "$main" resumed
await 300 155 "$play"
# The resumed Classic game keeps the number it was saved with, and shows it.
number=$(sed -n 's/^"PUZZLENUMBER"=string:"\(.*\)\\0"$/\1/p' "$config/varnook/registry.txt")
[ -n "$number" ] || { echo "the saved game kept no puzzle number"; exit 1; }
title=$(xdotool getwindowname "$main")
[ "$title" = "Varnook - $number" ] || { echo "the resumed game's title is \"$title\", not \"Varnook - $number\""; exit 1; }
xdotool mousemove 0 0
sleep 0.3
shot resumed.ppm

left=$((176 + (7 - width) * 22))
slot=0
for cell in ${cells//-/ }; do
  click $((left + (cell % width) * 44 + 22)) $((176 + (cell / width) * 44 + 22))
  await_not $((198 + slot * 44)) 66 "$play"   # the letter shows in its slot of the word strip
  slot=$((slot + 1))
done
click 392 125                     # "Enter"
click 66 412                      # "Quit game"
stats=$(find_window "Game Statistics")
locate "$stats" stats
sleep 0.3
press_to_close "Game Statistics" 212 172       # "OK"

name=$(find_window "Best Score")
locate "$name" name
sleep 0.3
xdotool mousemove $((X + 200)) $((Y + 112))
xdotool windowfocus --sync "$name" 2>/dev/null || true
xdotool type --delay 80 "Ada Lovelace"
xdotool mousemove 0 0
sleep 0.5
shot name.ppm
press_to_close "Best Score" 168 165            # "OK"

table=$(find_window "Best Scores - Varnook")
locate "$table" table
xdotool mousemove 0 0
sleep 0.5
shot table.ppm
press_to_close "Best Scores - Varnook" 154 411  # "OK"
main=$(find_window "$main_title")
locate "$main" menu
await 300 155 "$panel"            # back on the main menu
click 352 451                     # "EXIT"
await_exit "\"EXIT\""

# ---- 3. No offer any more; the table from the menu -------------------------------------------------
launch table
main=$(find_window "$main_title")
locate "$main" menu
await 300 155 "$panel"
sleep 0.5
if xdotool search --onlyvisible --name '^Do you want to exit$' >/dev/null 2>&1; then
  echo "the saved game was offered a second time"
  exit 1
fi
click 352 305                     # "HALL OF FAME - CLASSIC"
table=$(find_window "Best Scores - Varnook")
locate "$table" menu-table
xdotool mousemove 0 0
sleep 0.5
shot menu-table.ppm
# The table stays open; moved aside (there is no window manager), it uncovers the menu's "EXIT".
xdotool windowmove --sync "$table" 0 0 2>/dev/null || xdotool windowmove "$table" 0 0
sleep 0.3
main=$(find_window "$main_title")
locate "$main" menu
click 352 451                     # "EXIT", with the table still open
await_exit "\"EXIT\" with the table open"
