#!/usr/bin/env bash
# The Windows program under wine on the X display this runs under (xvfb-run gives one), as a player
# gets it, in a wine prefix of its own made for the run:
#   1. the zip holds the program folder with README.txt, the licences and every language's dictionary
#      and instructions page; --version, /? and a usage error answer on the output with Linux's exit
#      codes; unzipped without QXDLL.dll or without DEFAULT.DICT the program refuses to start (a
#      message box, exit code 1);
#   2. the setup program, run silently (/S), installs every file into the user's programs folder
#      with a Start-menu entry and an entry in Settings > Apps (the uninstall key);
#   3. the installed Varnook.exe plays: "CLASSIC GAME" shows the play surface, the keys pause, resume,
#      show the solution, browse it and return to the menu, "EXIT" ends the program, and the registry
#      holds its records; the same from a copy of the folder named in Cyrillic (Игра), left by "Main
#      Menu";
#   4. a game saved with "Save and Exit" is offered at the next start and resumed; a word typed on its
#      board is found, scored and saved with it, and the resumed game keeps its puzzle number;
#   5. started with --language de on a German puzzle number, the board is the native engine's for it
#      and a word typed with ü and ß scores; started with --daily on a date, the day's puzzle number
#      is the one the native build chooses for it;
#   6. the uninstaller, run silently, removes every file, the shortcuts and the uninstall key, and
#      keeps the records.
#   play_wine.sh WINE_RUN OUT ZIP SETUP VERSION QX
# Writes OUT/screenshot-windows.png (the window with the frame and icon wine draws) and logs.
set -euo pipefail
source "$(dirname "$0")/../e2e/screen.sh"
wine_run=$1
out=$2
zip=$3
setup=$4
version=$5
qx=$6
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
prefix=$out/prefix
export WINEPREFIX=$prefix WINEDEBUG=-all

finish() {
  wineserver --kill 2>/dev/null || true
}
trap finish EXIT
trap 'echo "play_wine.sh: a step failed at line $LINENO"' ERR
"$wine_run" "$prefix" --init
records='HKCU\Software\Mirrim\Varnook\1.0'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnook'
reg_query() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }

# ---- 1. The zip ------------------------------------------------------------------------------------
(cd "$out" && cmake -E tar xf "$zip")
unzipped=$out/Varnook
files=(Varnook.exe QXDLL.dll DEFAULT.DICT ALLPICDATA.BMP CLICK.wav UNCLICK.wav BEEP.wav BEEPS.wav RIGHT.wav CLAP.wav
  TICK.wav Varnook.htm README.txt LICENSE.txt SCOWL-COPYRIGHT.txt LiberationSansNarrow-Regular.ttf LiberationSansNarrow-Bold.ttf
  LIBERATION-FONTS-LICENSE.txt)
# Each other language's dictionary and instructions page.
for code in fr de es it nl pt; do files+=("${code^^}.DICT" "Varnook-$code.htm"); done
for f in "${files[@]}"; do
  [ -f "$unzipped/$f" ] || { echo "the zip has no Varnook/$f"; exit 1; }
done

# The command line: the answers reach the output the program was given, with Linux's exit codes;
# "/?" is --help.
cli() {
  local status=0
  wine "$unzipped/Varnook.exe" "$@" >"$out/cli.out" 2>"$out/cli.err" </dev/null || status=$?
  tr -d '\r' <"$out/cli.out" >"$out/cli.txt"
  echo "$status"
}
[ "$(cli --version)" = 0 ] && [ "$(cat "$out/cli.txt")" = "varnook $version" ] ||
  { echo "--version: \"$(cat "$out/cli.txt")\""; exit 1; }
[ "$(cli '/?')" = 0 ] && grep -q '^Usage: varnook' "$out/cli.txt" && grep -q -- '--puzzle' "$out/cli.txt" ||
  { echo "/? gave no usage"; exit 1; }
[ "$(cli --puzzle 7x7-1)" = 2 ] && grep -q 'not a board size' "$out/cli.err" && [ ! -s "$out/cli.out" ] ||
  { echo "a bad --puzzle is no usage error with status 2"; cat "$out/cli.err"; exit 1; }

# Waits for a visible window whose name matches, and prints its id.
await_window() {
  for _ in $(seq 1 600); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# A folder that lacks one file: the program names it and the folder in a message box and ends
# with exit code 1 once the box is closed.
refusal() {
  local missing=$1 dir=$out/without-$1
  cp -r "$unzipped" "$dir"
  rm "$dir/$missing"
  local status=0
  "$wine_run" "$prefix" "$dir/Varnook.exe" >"$out/refusal-$missing.log" 2>&1 &
  local pid=$!
  box=$(await_window '^Varnook$') || { echo "no message box without $missing"; cat "$out/refusal-$missing.log"; exit 1; }
  sleep 0.5
  xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool key Return
  wait "$pid" || status=$?
  [ "$status" -eq 1 ] || { echo "exit code $status without $missing, not 1"; exit 1; }
  grep -q "$missing" "$out/refusal-$missing.log" || { echo "the message does not name $missing"; exit 1; }
  grep -q 'without-' "$out/refusal-$missing.log" || { echo "the message does not name the folder"; exit 1; }
}
refusal QXDLL.dll
refusal DEFAULT.DICT

# ---- 2. Installed silently -------------------------------------------------------------------------
"$wine_run" "$prefix" "$setup" /S
wineserver --wait
user_dir=$(find "$prefix/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1)
installed=$user_dir/AppData/Local/Programs/Varnook
start_menu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Varnook.lnk"
for f in "${files[@]}" Uninstall.exe; do
  [ -f "$installed/$f" ] || { echo "the setup program did not install $f into $installed"; exit 1; }
done
cmp -s "$installed/Varnook.exe" "$unzipped/Varnook.exe" || { echo "the installed Varnook.exe is not the zip's"; exit 1; }
[ -f "$start_menu" ] || { echo "no Start-menu entry"; exit 1; }
entry=$(reg_query "$uninstall_key")
echo "$entry" >"$out/uninstall-entry.txt"
for value in "DisplayName.*Varnook" "DisplayVersion.*REG_SZ.*$version\$" "DisplayIcon.*Varnook.exe" \
  "UninstallString.*Uninstall.exe" "EstimatedSize.*REG_DWORD"; do
  grep -q "$value" <<<"$entry" || { echo "the uninstall entry lacks $value:"; echo "$entry"; exit 1; }
done

# ---- 3. The installed program plays, and so does a copy in a folder named in Cyrillic -----------------
# Starts FOLDER/Varnook.exe ARGS with its client area (704 x 528) at ($X, $Y); $pid, $wid.
launch() {
  local folder=$1 log=$2
  shift 2
  "$wine_run" "$prefix" "$folder/Varnook.exe" "$@" >"$out/$log.log" 2>&1 &
  pid=$!
  wid=$(await_window '^Varnook') || { echo "no Varnook window appeared ($log)"; cat "$out/$log.log"; exit 1; }
  locate "$wid"
}
# The client area lies at the bottom left of what wine draws, below its caption and inside its
# border: its top-left corner from the window's outer size and the client size W x H.
locate() {
  local w=${2:-704} h=${3:-528}
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$1")"
  frame=$(((WIDTH - w) / 2))
  X=$((X + frame))
  Y=$((Y + HEIGHT - h - frame))
}
# Waits up to 30 s for the program to end by itself, and checks its exit code is 0.
await_exit() {
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && { echo "Varnook.exe did not end after $1"; exit 1; }
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { echo "Varnook.exe ended with $status after $1"; exit 1; }
}
menu="51 68 140"
play="150 150 240"

play_classic() {
  local folder=$1 log=$2
  wine reg delete 'HKCU\Software\Mirrim' /f >/dev/null 2>&1 || true  # a first start: no records yet
  launch "$folder" "$log"
  await 300 155 "$menu"
  click 352 209               # "CLASSIC GAME"
  await 300 155 "$play"
  click 253 198               # a letter of the top row
  sleep 0.5
  shot "$log.ppm"
  kill -0 "$pid" 2>/dev/null || { echo "Varnook.exe ended during the game ($log)"; cat "$out/$log.log"; exit 1; }
  if [ "${3:-}" = keys ]; then
    # The keys, with the pointer over the word list: Ctrl+P pauses and Space resumes; Ctrl+L shows the
    # solution (Return, half a second after it appears, closes a best-score window it may bring); the
    # wheel lights the word under the pointer, Page Down the word a page on; Ctrl+M returns to the menu.
    strip() { xwd -root -silent | xwdtopnm 2>/dev/null | pnmcut -left $((X + 176)) -top $((Y + 44)) -width 308 -height 46 | md5sum; }
    xdotool mousemove $((X + 588)) $((Y + 150))
    xdotool key ctrl+p
    await 300 155 "128 128 255"
    xdotool key space
    await 300 155 "150 150 240"
    xdotool key ctrl+l
    for _ in $(seq 1 40); do
      [ "$(pixel 330 112)" = "51 68 140" ] && break
      sleep 0.6
      xdotool key Return
    done
    await 330 112 "51 68 140"   # "Back to Main Menu ": the results are up
    xdotool click 5
    await_not 286 66 "150 150 240"  # a word of three letters or more in the strip
    before=$(strip)
    xdotool key Next
    for _ in $(seq 1 100); do
      [ "$(strip)" != "$before" ] && break
      sleep 0.1
    done
    [ "$(strip)" != "$before" ] || { echo "Page Down lit no other word"; exit 1; }
    xdotool key ctrl+m
    await 300 155 "51 68 140"
  else
    # "Main Menu" on the side panel (Enter closes the end-of-game dialog it brings).
    click 66 442
    for _ in $(seq 1 40); do
      [ "$(pixel 300 155)" = "$menu" ] && break
      xdotool key Return
      sleep 0.5
    done
  fi
  await 300 155 "$menu"
  click 352 451
  await_exit "EXIT ($log)"
  # The records are in the registry under the current user; the game played is Classic Mode (1).
  reg_query "$records" >"$out/registry-$log.txt"
  grep -q 'SOUNDOPTIONS' "$out/registry-$log.txt" || { echo "no SOUNDOPTIONS in the registry ($log)"; exit 1; }
  grep -q 'SOLVINGDATA.*REG_BINARY.*00000100' "$out/registry-$log.txt" ||
    { echo "SOLVINGDATA does not hold the mode of the game played ($log):"; cat "$out/registry-$log.txt"; exit 1; }
}
play_classic "$installed" installed keys
pnmcut -left $((X - frame)) -top $((Y - (HEIGHT - 528 - frame))) -width "$WIDTH" -height "$HEIGHT" \
  "$out/installed.ppm" | pnmtopng >"$out/screenshot-windows.png"
cp -r "$installed" "$out/Игра"
play_classic "$out/Игра" cyrillic-folder

# ---- 4. Saved, a word typed, resumed ---------------------------------------------------------------
# The hex bytes of a binary value of the saved game, and a text value.
saved() { { reg_query "$records\\SAVE" /v "$1" || true; } | awk -v n="$1" '$1 == n { print $3 }'; }
saved_text() { { reg_query "$records\\SAVE" /v "$1" || true; } | sed -n "s/^ *$1 *REG_SZ *//p"; }
# Presses Enter on the game's question whose answer is the default ("Yes"), when it is up.
answer_offer() {
  local box
  box=$(await_window '^Do you want to exit$') || { echo "no saved-game offer ($1)"; exit 1; }
  sleep 0.5
  xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool key Return
}

launch "$installed" save
await 300 155 "$menu"
click 352 209               # "CLASSIC GAME"
await 300 155 "$play"
click 66 472                # "Save and Exit"
await_exit "\"Save and Exit\""
bytes=$(saved BYTE_DATA)
[ -n "$bytes" ] || { echo "no saved game after \"Save and Exit\":"; reg_query "$records" /s; cat "$out/save.log"; exit 1; }
width=$((16#$(saved WIDTH | cut -c1-2)))
board=""
for ((i = 0; i < ${#bytes}; i += 2)); do
  [ "$i" -gt 0 ] && [ $((i / 2 % width)) -eq 0 ] && board+="/"
  board+=$(printf "\\x${bytes:i:2}" | tr 'A-Z' 'a-z')
done
word=$("$qx" solve --board "$board" | awk '/^4 letters/ { getline; if (word == "") word = $1 } END { print word }')
[ -n "$word" ] || { echo "no four-letter word on the saved board $board"; exit 1; }

launch "$installed" resume
answer_offer resume
wid=$(await_window '^Varnook - ') || { echo "the resumed game shows no puzzle number in its title"; exit 1; }
locate "$wid"
await 300 155 "$play"
number=$(saved_text PUZZLENUMBER)
title=$(xdotool getwindowname "$wid")
[ -n "$number" ] && [ "$title" = "Varnook - $number" ] ||
  { echo "the resumed game's title is \"$title\", its saved number \"$number\""; exit 1; }
xdotool mousemove $((X + 400)) $((Y + 500))
xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool type --delay 80 "$word"
xdotool key Return
sleep 0.5
shot typed.ppm
click 66 472                # "Save and Exit"
await_exit "\"Save and Exit\" of the resumed game"
found=$(saved_text FOUNDWORDS)
upper=$(tr 'a-z' 'A-Z' <<<"$word")
[ "$found" = "$upper," ] || { echo "the typed word $upper is not the saved game's found words (\"$found\")"; exit 1; }
[ "$((16#$(saved SCORE | cut -c1-2)))" -gt 0 ] || { echo "the typed word scored nothing"; exit 1; }

launch "$installed" resume-again
answer_offer resume-again
wid=$(await_window "^Varnook - $number\$") || { echo "the game resumed again lost its number"; exit 1; }
locate "$wid"
await 300 155 "$play"
click 66 472                # "Save and Exit"
await_exit "\"Save and Exit\" once more"

# ---- 5. A German board ----------------------------------------------------------------------------
# Started with --language de and a German puzzle: the board is the one the native engine makes from
# DE.DICT for that number, and "süße", typed as a German player types it, plays Ü and S S and scores
# SÜSSE's 15 points. "Save and Exit" keeps it as the saved game.
number=de-5x4-41
launch "$installed" german --language de --puzzle "$number"
wid=$(await_window "^Varnook - $number\$") || { echo "no German puzzle $number in the title"; exit 1; }
locate "$wid"
await 300 155 "$play"
xdotool mousemove $((X + 400)) $((Y + 500))
xdotool windowfocus --sync "$wid" 2>/dev/null || true
LC_ALL=C.UTF-8 xdotool type --delay 80 "süße"
xdotool key Return
sleep 0.5
shot german.ppm
click 66 472                # "Save and Exit"
await_exit "\"Save and Exit\" of the German game"
[ "$(saved_text PUZZLENUMBER)" = "$number" ] || { echo "the German game was saved as \"$(saved_text PUZZLENUMBER)\""; exit 1; }
bytes=$(saved BYTE_DATA)
board=$("$qx" make --seed 41 --size 5x4 --dict "$(dirname "$qx")/DE.DICT" | sed -n '3,6p' | tr -d ' \n' |
  od -An -tx1 -v | tr -d ' \n')
[ "${bytes,,}" = "$board" ] || { echo "the German board $bytes is not qx's $board"; exit 1; }
[ "$((16#$(saved SCORE | cut -c1-2)))" -eq 15 ] || { echo "süße did not score SÜSSE's 15 points (SCORE $(saved SCORE))"; exit 1; }

# ---- 5b. The daily puzzle ---------------------------------------------------------------------------
# The day's board has the puzzle number the native build chooses for that date, so the same board.
day=2026-12-08
daily=$("$(dirname "$qx")/../tools/dailyboards/dailyboards" "$day" 1 | awk -v d="$day" '$1 == d { print $2 }')
[ -n "$daily" ] || { echo "the native build chose no daily puzzle for $day"; exit 1; }
launch "$installed" daily --daily --today "$day"
await_window "^Varnook - daily $day \\($daily\\)\$" >/dev/null ||
  { echo "Varnook.exe's daily puzzle of $day is not the native $daily: \"$(xdotool getwindowname "$wid")\""; exit 1; }
await 300 155 "$play"
click 66 472                # "Save and Exit"
await_exit "\"Save and Exit\" of the daily puzzle"

# ---- 6. Uninstalled silently -----------------------------------------------------------------------
rm -rf "$out/Игра"
wine "$installed/Uninstall.exe" /S
wineserver --wait
[ ! -e "$installed" ] || { echo "the uninstaller left:"; find "$installed"; exit 1; }
[ ! -e "$start_menu" ] || { echo "the uninstaller left the Start-menu entry"; exit 1; }
if reg_query "$uninstall_key" | grep -q DisplayName; then echo "the uninstall entry is still there"; exit 1; fi
reg_query "$records\\SAVE" | grep -q FOUNDWORDS || { echo "the silent uninstall did not keep the saved game"; exit 1; }
echo "Varnook $version installed, played (also from Игра), saved, resumed and uninstalled under wine"
