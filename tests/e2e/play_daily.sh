#!/usr/bin/env bash
# Plays the daily puzzle with the real program on the X display this runs under (xvfb-run gives
# one). Started as "varnook --daily --today DAY", then "--today NEXT", then DAY again: each start's
# title and board are kept. On the last start a hint is asked for ("?"), every WORD is typed and
# entered, the end dialog is closed with Return, the pointer rests on the results list's first word
# (its definition shows at the foot), Ctrl+C copies the share line, which is read back from the X
# clipboard with CLIPBOARD_TOOL, and "Back to Main Menu" then EXIT end the program.
# Usage: play_daily.sh PROGRAM OUT CLIPBOARD_TOOL DAY NEXT WORD...
# Writes to OUT: title-day, title-next, title-again, day.ppm, next.ppm, again.ppm, hint.ppm,
# results.ppm, copied.ppm, clipboard.txt, geometry, screenshot-daily-results.png, config/ and varnook.log.
set -euo pipefail
source "$(dirname "$0")/screen.sh"
program=$1
out=$2
clipboard_tool=$3
day=$4
next=$5
shift 5
mkdir -p "$out"
rm -rf "$out"/title-* "$out"/*.ppm "$out"/*.png "$out"/clipboard.txt "$out"/geometry "$out/config"

# Waits for the main window of a daily puzzle of the date, writes its title to $1, and sets $wid.
await_daily() {
  wid=""
  for _ in $(seq 1 600); do
    wid=$(xdotool search --onlyvisible --name "^Varnook - daily $2 " 2>/dev/null | head -1 || true)
    [ -n "$wid" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "varnook ended before showing its window"; cat "$out/varnook.log"; exit 1; }
    sleep 0.1
  done
  [ -n "$wid" ] || { echo "no daily window for $2 appeared"; exit 1; }
  xdotool getwindowname "$wid" >"$out/$1"
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  await 300 155 "150 150 240"  # the play surface is up
  sleep 0.3
}
# Ends the program started last (nothing of a daily game left unfinished is counted).
stop_program() {
  kill "$pid"
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  echo "varnook did not end"
  exit 1
}

start_program --daily --today "$day"
await_daily title-day "$day"
shot day.ppm
stop_program

start_program --daily --today "$next"
await_daily title-next "$next"
shot next.ppm
stop_program

start_program --daily --today "$day"
await_daily title-again "$day"
echo "$X $Y $WIDTH $HEIGHT" >"$out/geometry"
shot again.ppm
# Keys go to the window under the pointer (there is no window manager).
xdotool mousemove $((X + 400)) $((Y + 500))
sleep 0.2
xdotool type "?"
sleep 0.6  # the message line tells the hint
shot hint.ppm

for word in "$@"; do
  xdotool type --delay 40 "$word"
  xdotool key Return
  sleep 0.15
done

# The end dialog: Return closes it once its first half second is over.
dialog=""
for _ in $(seq 1 300); do
  dialog=$(xdotool search --onlyvisible --name "^Game Statistics\$" 2>/dev/null | head -1 || true)
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || { echo "no end dialog after the last word"; still_running "after the words"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$dialog" | sed 's/^/D_/')"
xdotool mousemove $((D_X + 20)) $((D_Y + 20))
sleep 0.8
xdotool key Return

await 330 112 "51 68 140"  # "Back to Main Menu " on the results display
xdotool mousemove $((X + 588)) $((Y + 70))
sleep 0.6
shot results.ppm
pnmcut -left "$X" -top "$Y" -width "$WIDTH" -height "$HEIGHT" "$out/results.ppm" | pnmtopng >"$out/screenshot-daily-results.png"
# Without a window manager the keyboard's focus went with the closed dialog: it comes back here.
xdotool windowfocus "$wid"
xdotool key ctrl+c
sleep 0.5
shot copied.ppm
"$clipboard_tool" >"$out/clipboard.txt" || { echo "no text on the clipboard"; exit 1; }
still_running "after the copy"

click 330 125  # "Back to Main Menu "
await 300 155 "51 68 140"
click 352 451  # "EXIT"
await_end "after EXIT"
