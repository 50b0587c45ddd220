#!/usr/bin/env bash
# Plays the start of a Classic game with the real program on the X display this runs under
# (xvfb-run gives one): waits for the window, chooses "CLASSIC GAME", links three letters and reads
# the screen back; then "Show Solution" and the pointer over the first solution word. Writes to the
# output folder: geometry (client x y width height), menu.ppm, play.ppm, results.ppm,
# screenshot-classic.png and screenshot-results.png (the window only) and varnook.log.
set -euo pipefail
source "$(dirname "$0")/screen.sh"
program=$1
out=$2
mkdir -p "$out"
rm -f "$out"/geometry "$out"/*.ppm "$out"/*.png

# The settings store starts empty in the output folder: no saved-game offer, and the player's own
# records untouched.
rm -rf "$out/config"
start_program
await_window "Varnook"
sleep 0.5

eval "$(xdotool getwindowgeometry --shell "$wid")"
echo "$X $Y $WIDTH $HEIGHT" >"$out/geometry"

await 300 155 "51 68 140"   # the menu is painted
shot menu.ppm
click 352 209   # "CLASSIC GAME"
await 300 155 "150 150 240" # the play surface is up
# Tiles of the top row: x = 253 lies within 11 pixels of a tile centre for boards of 4, 5 and 6
# columns alike, so these presses link three neighbours whatever size the game chose.
click 253 198
click 297 198
click 297 242
xdotool mousemove $((X + 400)) $((Y + 420))
await_not 286 66 "150 150 240"  # the third slot of the word strip holds a tile
sleep 0.3
shot play.ppm
still_running "during the game"
pnmcut -left "$X" -top "$Y" -width "$WIDTH" -height "$HEIGHT" "$out/play.ppm" | pnmtopng >"$out/screenshot-classic.png"

# "Show Solution", then the pointer over the first word of the list: the results display with the
# word's path lit on the board.
click 66 382    # "Show Solution"
await 330 112 "51 68 140"   # "Back to Main Menu " covers the gap between "Clear" and "Enter"
xdotool mousemove $((X + 588)) $((Y + 70))
await_not 286 66 "150 150 240"  # the hovered word is spelled in the strip
sleep 0.3
shot results.ppm
still_running "in the results display"
pnmcut -left "$X" -top "$Y" -width "$WIDTH" -height "$HEIGHT" "$out/results.ppm" | pnmtopng >"$out/screenshot-results.png"
