#!/usr/bin/env bash
# One word of a language played on the real program on the X display this runs under (xvfb-run gives
# one): started as "varnook --language CODE --puzzle NUMBER", it must show that puzzle's number in
# its title; the word is typed as a player of that language types it, accented letters and all, and
# entered with the Return key; "Save and Exit" ends the program. The saved game must hold the puzzle
# number, the word as the board spells it as its one found word, and the word's points as the score.
# Usage: play_language.sh PROGRAM OUT CODE NUMBER TYPED SPELLED (both words in UTF-8: "süße" "SÜSSE").
# Writes to OUT: typed.ppm (the screen after the word), config/ (the store) and varnook.log.
set -euo pipefail
# xdotool reads the words, and the shell counts their letters, as UTF-8.
export LC_ALL=C.UTF-8
source "$(dirname "$0")/screen.sh"
program=$1
out=$2
code=$3
number=$4
typed=$5
spelled=$6
mkdir -p "$out"
rm -rf "$out"/*.ppm "$out/config"

start_program --language "$code" --puzzle "$number"
await_window "Varnook - $number"
eval "$(xdotool getwindowgeometry --shell "$wid")"
await 300 155 "150 150 240"  # the play surface is up
# Keys go to the window under the pointer (there is no window manager).
xdotool mousemove $((X + 400)) $((Y + 500))
sleep 0.3
xdotool type --delay 80 "$typed"
xdotool key Return
sleep 0.5
shot typed.ppm
still_running "after the word"
click 66 472  # "Save and Exit"
for _ in $(seq 1 300); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
! kill -0 "$pid" 2>/dev/null || { echo "varnook did not end after \"Save and Exit\""; exit 1; }

# The saved game's value NAME, from the SAVE key of the store file.
saved() {
  sed -n '/^\[Software\\Mirrim\\Varnook\\1.0\\SAVE\]/,/^\[/p' "$out/config/varnook/registry.txt" |
    sed -n "s/^\"$1\"=//p"
}
# Its strings keep Windows-1252 bytes, written \xHH beyond ASCII.
found=$(saved FOUNDWORDS | sed 's/^string:"\(.*\)"$/\1/')
found=$(printf '%b' "$found" | iconv -f CP1252 -t UTF-8)
[ "$found" = "$spelled," ] || { echo "typed \"$typed\": the found words are \"$found\", not \"$spelled,\""; exit 1; }
letters=${#spelled}
points=$((letters * (letters + 1) / 2))
[ "$(saved SCORE)" = "$(printf 'binary:%02x,00,00,00' "$points")" ] ||
  { echo "typed \"$typed\": the score is $(saved SCORE), not $points points"; exit 1; }
[ "$(saved PUZZLENUMBER)" = "string:\"$number\\0\"" ] ||
  { echo "the saved game's puzzle number is $(saved PUZZLENUMBER), not $number"; exit 1; }
echo "$code: \"$typed\" played $spelled on $number for $points points"
