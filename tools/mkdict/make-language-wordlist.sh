#!/usr/bin/env bash
# Imports the word list of a language other than English into assets/dict/CODE/ from its Debian
# package (not run by the build; the package is not a build dependency):
#   words.txt      the words, in their own spelling (UTF-8), one a line, in byte order;
#   COPYRIGHT.txt  the package's copyright file, unchanged: the list's licence and source;
#   SOURCE.txt     the package, its version and the rules the words were chosen by.
# Words of letters only (no apostrophe, hyphen, space, dot or digit), with no capital (names,
# abbreviations) except German nouns (german-nouns.pl), and of 3 to 10 letters once written with
# the board's letters: mkdict --select folds them as the build will. The offensive words are taken
# out later, when mkdict builds the dictionary.
# Usage: make-language-wordlist.sh CODE [MKDICT]   (CODE: fr de es it nl pt; MKDICT: build/tools/mkdict/mkdict)
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
code=${1:-}
mkdict=${2:-$here/build/tools/mkdict/mkdict}
case $code in
  fr) package=wfrench list=french ;;
  de) package=wngerman list=ngerman ;;
  es) package=wspanish list=spanish ;;
  it) package=witalian list=italian ;;
  nl) package=wdutch list=dutch ;;
  pt) package=wportuguese list=portuguese ;;
  *) echo "usage: make-language-wordlist.sh fr|de|es|it|nl|pt [MKDICT]" >&2; exit 2 ;;
esac
source=/usr/share/dict/$list
[ -r "$source" ] || { echo "make-language-wordlist: missing $source (apt-get install $package)" >&2; exit 1; }
[ -x "$mkdict" ] || { echo "make-language-wordlist: no $mkdict (make build first)" >&2; exit 1; }
out=$here/assets/dict/$code
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ "$code" = de ]; then
  perl "$here/tools/mkdict/german-nouns.pl" <"$source" >"$work/letters"
else
  LC_ALL=C.UTF-8 grep -v '[[:upper:]]' "$source" >"$work/letters"
fi
"$mkdict" --language "$code" --select "$work/letters" | LC_ALL=C sort -u >"$out/words.txt"
cp "/usr/share/doc/$package/copyright" "$out/COPYRIGHT.txt"
version=$(dpkg-query -W -f='${Version}' "$package")
cat >"$out/SOURCE.txt" <<END
The word list words.txt is taken from /usr/share/dict/$list of the Debian package $package $version,
whose copyright file (the list's licence and source) is COPYRIGHT.txt beside it. Made by
tools/mkdict/make-language-wordlist.sh $code: words of letters only, without capitals (names and
abbreviations)$( [ "$code" = de ] && printf '%s' ' except the nouns, chosen by tools/mkdict/german-nouns.pl' ), of 3 to 10 letters
as the board writes them.
END
echo "make-language-wordlist: $(wc -l <"$out/words.txt") words in $out/words.txt"
