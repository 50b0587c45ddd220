#!/usr/bin/env python3
"""Regenerates assets/defs/wordnet-glosses.txt and assets/defs/wordnet-exceptions.txt from Debian's
wordnet-base (not needed by the build; mkwordnotes makes DEFAULT.DEFS from these files).

For every WordNet lemma that may serve a word of assets/dict/words.txt (the word itself, a base
form the simple endings rules could reach, or the base an exception list names) it keeps at most two
short glosses: the most used sense of the lemma's most used part of speech, and the most used sense
of its second part of speech (or, with only one, that part's second sense). A gloss is the definition
without its examples, cut at a clause or a word to at most MAX_GLOSS characters. The exception lists
(irregular forms such as ran -> run) are kept for the words of the list.

Usage: import-wordnet.py [WORDNET_DIR]
"""
import os
import re
import sys

MAX_GLOSS = 80
POS = [("n", "noun"), ("v", "verb"), ("a", "adj"), ("r", "adv")]
# The endings the build tool strips to find a base form; this is a superset, so no base is missed.
ENDINGS = ["s", "ses", "xes", "zes", "ches", "shes", "men", "ies", "es", "ed", "ing", "er", "est"]
ADDS = ["", "e", "y", "s", "x", "z", "ch", "sh", "man"]

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.normpath(os.path.join(here, "..", ".."))
wordnet = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/wordnet"


def read_lines(path):
    with open(path, encoding="latin-1") as f:
        return [line.rstrip("\n") for line in f if not line.startswith(" ")]


words = set(read_lines(os.path.join(root, "assets", "dict", "words.txt")))

# Irregular forms of our words.
exceptions = {}
for tag, name in POS:
    for line in read_lines(os.path.join(wordnet, name + ".exc")):
        parts = line.split()
        if len(parts) >= 2 and parts[0] in words:
            for base in parts[1:]:
                if re.fullmatch(r"[a-z]+", base) and base != parts[0]:
                    exceptions.setdefault(parts[0], [])
                    if base not in exceptions[parts[0]]:
                        exceptions[parts[0]].append(base)

wanted = set(words)
for bases in exceptions.values():
    wanted.update(bases)
for w in words:
    for end in ENDINGS:
        if w.endswith(end) and len(w) > len(end):
            stem = w[: -len(end)]
            for add in ADDS:
                wanted.add(stem + add)
            if len(stem) > 2 and stem[-1] == stem[-2]:
                wanted.add(stem[:-1])


def short(gloss):
    # The definition without its quoted examples.
    text = gloss.split('"')[0].strip().rstrip(";").strip()
    text = re.sub(r"\s+", " ", text)
    if len(text) > MAX_GLOSS and "; " in text:
        text = text.split("; ")[0]
    if len(text) > MAX_GLOSS:
        cut = text[: MAX_GLOSS - 3].rsplit(" ", 1)[0].rstrip(",;:(")
        text = cut + "..."
    return text


def gloss_at(data, offset):
    line = data[offset]
    return short(line.split(" | ", 1)[1]) if " | " in line else ""


senses = {}  # lemma -> [(tagged count, synset count, order, tag, [offsets])]
data = {}
for order, (tag, name) in enumerate(POS):
    offsets = {}
    with open(os.path.join(wordnet, "data." + name), encoding="latin-1") as f:
        for line in f:
            if not line.startswith(" "):
                offsets[int(line.split(" ", 1)[0])] = line.rstrip("\n")
    data[tag] = offsets
    for line in read_lines(os.path.join(wordnet, "index." + name)):
        parts = line.split()
        lemma = parts[0]
        if lemma not in wanted:
            continue
        synset_cnt = int(parts[2])
        tagged = int(parts[5 + int(parts[3])])
        synsets = [int(p) for p in parts[-synset_cnt:]]
        senses.setdefault(lemma, []).append((tagged, synset_cnt, order, tag, synsets))

out_glosses = []
for lemma in sorted(senses):
    parts = sorted(senses[lemma], key=lambda s: (-s[0], -s[1], s[2]))
    chosen = [(parts[0][3], parts[0][4][0])]
    if len(parts) > 1:
        chosen.append((parts[1][3], parts[1][4][0]))
    elif len(parts[0][4]) > 1:
        chosen.append((parts[0][3], parts[0][4][1]))
    texts = []
    for tag, offset in chosen:
        text = gloss_at(data[tag], offset)
        if text and (tag, text) not in texts:
            texts.append((tag, text))
    if texts:
        out_glosses.append(lemma + "\t" + "\t".join(t + "\t" + g for t, g in texts))

defs = os.path.join(root, "assets", "defs")
with open(os.path.join(defs, "wordnet-glosses.txt"), "w", encoding="cp1252", newline="\n") as f:
    f.write("# lemma, then one or two (part of speech n/v/a/r, gloss) pairs; tab-separated. From WordNet 3.0.\n")
    f.write("\n".join(out_glosses) + "\n")
with open(os.path.join(defs, "wordnet-exceptions.txt"), "w", encoding="cp1252", newline="\n") as f:
    f.write("# irregular form, then its base forms; tab-separated. From WordNet 3.0's exception lists.\n")
    for w in sorted(exceptions):
        f.write(w + "\t" + "\t".join(exceptions[w]) + "\n")
print(f"import-wordnet: {len(out_glosses)} lemmas with glosses, {len(exceptions)} irregular forms", file=sys.stderr)
