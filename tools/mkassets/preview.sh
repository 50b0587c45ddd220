#!/usr/bin/env bash
# Art preview for people working on the sprite sheet (not used by the build): makes PNG copies of
# ALLPICDATA.BMP and two mock-ups of the game's screens built from it the way the game draws (mask OR,
# picture AND, letters in the game's colours with a black shadow). Needs ImageMagick's `convert`.
# Usage: preview.sh PROGRAM-FOLDER OUTPUT-FOLDER
set -euo pipefail
bin=$1; out=$2
mkdir -p "$out"
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
sheet="$bin/ALLPICDATA.BMP"
serif=/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf
narrow=/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Bold.ttf
px14=18.7; px12=16; px10=13.3   # point sizes at 96 dpi, in pixels

convert "$sheet" "$out/sheet.png"
convert "$sheet" -filter point -resize 200% "$out/sheet-2x.png"

crop() { convert "$sheet" -crop "$1" +repage "$2"; }
crop 40x40+0+0 "$tmp/mask.png"
crop 40x40+41+0 "$tmp/plain.png"
crop 40x40+82+0 "$tmp/linked.png"
# The OR/AND pair with a black-and-white mask is the picture where the mask is white.
for k in plain linked; do
  convert "$tmp/$k.png" "$tmp/mask.png" -alpha off -compose CopyOpacity -composite "$tmp/$k-t.png"
done

# tile LETTER KIND OUT: one tile with its letter, black first, then coloured 1 px right and 1 px up.
tile() {
  local colour='rgb(240,240,100)'; [ "$2" = linked ] && colour='rgb(250,250,0)'
  convert "$tmp/$2-t.png" -font "$serif" -pointsize $px14 -gravity center \
    -fill black -annotate +0+0 "$1" -fill "$colour" -annotate +1-1 "$1" "$3"
}

# Play surface mock-up: a 5x5 board with a linked chain, the word strip, list, bar and icons.
letters=(S T A R E L O N G P W I D K M B U C H T E R A N O)
chain=(0 6 12 13)   # S O ? cells linked in the mock-up
args=()
for i in $(seq 0 24); do
  kind=plain; for c in "${chain[@]}"; do [ "$c" = "$i" ] && kind=linked; done
  tile "${letters[$i]}" $kind "$tmp/t$i.png"
  x=$((220 + (i % 5) * 44 + 2)); y=$((176 + (i / 5) * 44 + 2))
  args+=("$tmp/t$i.png" -geometry +$x+$y -composite)
done
line=""
for ((k = 0; k + 1 < ${#chain[@]}; k++)); do
  a=${chain[$k]}; b=${chain[$((k + 1))]}
  line+="line $((220 + (a % 5) * 44 + 22)),$((176 + (a / 5) * 44 + 22)) $((220 + (b % 5) * 44 + 22)),$((176 + (b / 5) * 44 + 22)) "
done
strip=()
for k in 0 1 2 3; do
  convert "$tmp/plain-t.png" -font "$serif" -pointsize $px14 -gravity center -fill 'rgb(240,240,100)' \
    -annotate +0+0 "${letters[${chain[$k]}]}" "$tmp/s$k.png"
  strip+=("$tmp/s$k.png" -geometry +$((176 + k * 44 + 2))+$((44 + 3)) -composite)
done
crop 283x18+0+63 "$tmp/full.png"; crop 283x18+0+44 "$tmp/empty.png"
convert "$tmp/full.png" -crop 120x18+0+0 +repage "$tmp/fullpart.png"
convert -size 704x528 'xc:rgb(150,150,240)' \
  -fill 'rgb(51,68,140)' -draw 'rectangle 0,0 131,527' -draw 'rectangle 528,60 647,319' \
  -stroke 'rgb(100,100,10)' -strokewidth 3 -draw "$line" -stroke none \
  "${args[@]}" \
  -fill none -stroke 'rgb(250,250,140)' -draw "$(for k in 0 1 2 3 4 5 6; do echo "rectangle $((176 + k * 44)),44 $((220 + k * 44)),90 "; done)" -stroke none \
  "${strip[@]}" \
  "$tmp/empty.png" -geometry +188+462 -composite "$tmp/fullpart.png" -geometry +188+462 -composite \
  \( "$sheet" -crop 120x20+0+191 +repage \) -geometry +528+40 -composite \
  \( "$sheet" -crop 120x20+121+212 +repage \) -geometry +528+320 -composite \
  \( "$sheet" -crop 32x32+196+85 +repage \) -geometry +660+462 -composite \
  \( "$sheet" -crop 32x32+229+118 +repage \) -geometry +620+462 -composite \
  -font "$serif" -pointsize $px10 -fill 'rgb(200,220,120)' -annotate +543+75 'ARE' -annotate +543+95 'SORT' \
  -fill 'rgb(160,160,120)' -annotate +543+115 'STONE' \
  -pointsize $px12 -fill black -annotate +20+70 'Score' -fill 'rgb(160,160,120)' -annotate +22+68 'Score' \
  -fill black -annotate +20+90 '36' -fill 'rgb(249,249,230)' -annotate +22+88 '36' \
  "$out/play.png"

# Main menu mock-up: the title picture on the panel blue with two entries, and a textured dialog.
convert -size 704x528 'xc:rgb(51,68,140)' \
  \( "$sheet" -crop 195x105+0+85 +repage \) -geometry +260+44 -composite \
  -font "$narrow" -pointsize 19 -gravity north -fill black -annotate +0+200 'CLASSIC GAME' \
  -fill 'rgb(160,160,120)' -annotate +2+198 'CLASSIC GAME' \
  -fill black -annotate +0+248 'ARCADE GAME' -fill 'rgb(200,220,120)' -annotate +4+244 'ARCADE GAME' \
  -gravity northwest \
  \( "$sheet" -crop 34x34+179+0 +repage -filter point -resize 330x207\! \
     -font "$serif" -pointsize 11 -fill black -annotate +120+30 ' Congratulations !' \) -geometry +20+300 -composite \
  "$out/menu.png"
echo "wrote $out/sheet.png sheet-2x.png play.png menu.png"
