#!/usr/bin/python3
# SPDX-License-Identifier: AGPL-3.0-or-later
"""Writes the interpretation texts of data/interps from the meanings in meanings.toml.

Usage: /usr/bin/python3 tools/interpgen/interpgen.py [OUTPUT_FOLDER]   (default: data/interps)

Each paragraph has three parts: a sentence naming the two bodies and the aspect family, a sentence
joining what the two bodies mean in the store's theme, and a closing sentence of advice (for
transits also how long the transit lasts). The choice among the alternative verbs, meanings and
advice sentences is fixed by a checksum of the key, so the output is the same on every run.

The keys follow interps/interpretation_keys.h (see docs/interpretations.md): the body order, the
bodies' coordinate kinds and the pair rules below must stay in step with that file; the test
suite checks the written files against it.
"""

import pathlib
import re
import sys
import tomllib
import zlib

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent

# Body keys in slot order, with whether they have geocentric and heliocentric positions.
BODIES = [
    ("sun", True, False), ("mer", True, True), ("ven", True, True), ("moo", True, False),
    ("mar", True, True), ("jup", True, True), ("sat", True, True), ("ura", True, True),
    ("nep", True, True), ("plu", True, True), ("ear", False, True), ("chi", True, True),
    ("nod", True, False), ("cer", True, True), ("pal", True, True), ("ves", True, True),
    ("jun", True, True), ("asc", True, False), ("mc", True, False), ("par", True, False),
    ("ver", True, False),
]
SHARED_SLOT = {"par", "ver"}  # the part of fortune and the vertex take turns in one slot

ASPECT_FAMILIES = ["conjunction", "flowing", "challenging", "minor", "parallel"]

# Store name: (kind of pairing, theme of the meanings, title for the file's preamble).
STORES = {
    "romance_comp": ("compatibility", "romance", "romance compatibility"),
    "financial_comp": ("compatibility", "finance", "financial compatibility"),
    "romance_trans": ("transits", "romance", "romance transits"),
    "financial_trans": ("transits", "finance", "financial transits"),
    "natal_full": ("natal", "general", "natal interpretations, full"),
    "natal_romance": ("natal", "romance", "natal interpretations, romance only"),
    "natal_money": ("natal", "finance", "natal interpretations, money only"),
}


def can_meet(a, b):
    """Whether two bodies can stand in one aspect list."""
    (key_a, geo_a, helio_a), (key_b, geo_b, helio_b) = a, b
    if key_a != key_b and key_a in SHARED_SLOT and key_b in SHARED_SLOT:
        return False
    return (geo_a and geo_b) or (helio_a and helio_b)


def pairs(kind):
    """The body pairs of a store, in the order of the store keys."""
    for i, a in enumerate(BODIES):
        first = {"transits": 0, "natal": i + 1, "compatibility": i}[kind]
        for b in BODIES[first:]:
            if can_meet(a, b):
                yield a[0], b[0]


def capitalised(text):
    return text[0].upper() + text[1:]


class Composer:
    def __init__(self, table):
        self.table = table
        self.bodies = table["bodies"]

    def name(self, key, article):
        body = self.bodies[key]
        return ("the " if article and body["article"] else "") + body["name"]

    def transiting(self, key):
        body = self.bodies[key]
        return ("The transiting " if body["article"] else "Transiting ") + body["name"]

    def first_sentence(self, store, kind, family, a, b):
        frames = self.table["frames"]["natal" if kind == "natal" else store]
        frame = frames.get("same_" + family) if a == b else None
        frame = frame or frames[family]
        return frame.format(a=self.name(a, False), b=self.name(b, False),
                            the_a=self.name(a, True), the_b=self.name(b, True),
                            Transiting_a=self.transiting(a) if kind == "transits" else "")

    def paragraph(self, store, key):
        kind, theme, _ = STORES[store]
        a, b, family = key.split("_")
        choice = zlib.crc32(key.encode())
        verb_choice, advice_choice, pace_choice = choice % 3, choice // 3 % 3, choice // 9 % 3
        meaning_a, meaning_b = choice // 27 % 2, choice // 54 % 2
        if a == b:
            meaning_a, meaning_b = 0, 1
        if kind == "transits":
            subject = self.bodies[a]["transit_" + theme]
            verb = self.table["transit_verbs"][family][verb_choice]
        else:
            subject = self.bodies[a][theme][meaning_a]
            verb = self.table["verbs"][family][verb_choice]
        obj = self.bodies[b][theme][meaning_b]
        sentences = [
            self.first_sentence(store, kind, family, a, b),
            capitalised(f"{subject} {verb} {obj}."),
            self.table["advice"][store][family][advice_choice],
        ]
        if kind == "transits":
            pace = self.table["pace"]["sentences"][pace_choice]
            sentences.append(pace.format(pace=self.bodies[a]["pace"]))
        return " ".join(sentences)

    def store_entries(self, store):
        kind = STORES[store][0]
        families = ASPECT_FAMILIES + ([] if kind == "natal" else ["synch"])
        for a, b in pairs(kind):
            for family in families:
                key = f"{a}_{b}_{family}"
                yield key, self.paragraph(store, key)


PROBLEMS = [
    (re.compile(r"  "), "double blank"),
    (re.compile(r"\b(\w+) \1\b", re.IGNORECASE), "word repeated"),
    (re.compile(r" [,.;:]"), "blank before punctuation"),
    (re.compile(r"\. [a-z]"), "small letter after a full stop"),
    (re.compile(r"[^\x20-\x7e]"), "not plain ASCII"),
    (re.compile(r"\{|\}"), "unfilled placeholder"),
]


def check(store, key, text, seen):
    """Stops the run on a paragraph that is empty, repeated or carries a typing fault."""
    faults = [name for pattern, name in PROBLEMS if pattern.search(text)]
    if not text or not text[0].isupper() or not text.endswith("."):
        faults.append("does not read as a paragraph")
    if text in seen:
        faults.append("same text as " + seen[text])
    if faults:
        sys.exit(f"{store} {key}: {', '.join(faults)}: {text}")
    seen[text] = f"{store} {key}"


def preamble(store):
    title = STORES[store][2]
    return (
        f"SPDX-License-Identifier: AGPL-3.0-or-later\n"
        f"Quintaro interpretation texts: {title} (store \"{store}\").\n"
        f"Written for this project. Generated by tools/interpgen/interpgen.py from\n"
        f"tools/interpgen/meanings.toml: change those and run the script again.\n"
        f"Each entry is a line \"#key\" and its paragraph; docs/interpretations.md explains the\n"
        f"keys. Lines before the first key line are not imported.\n\n"
    )


def main():
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "data" / "interps"
    with open(HERE / "meanings.toml", "rb") as source:
        composer = Composer(tomllib.load(source))
    out.mkdir(parents=True, exist_ok=True)
    seen = {}
    for store in STORES:
        lines = [preamble(store)]
        count = 0
        for key, text in composer.store_entries(store):
            check(store, key, text, seen)
            lines.append(f"#{key}\n{text}\n\n")
            count += 1
        (out / f"{store}.txt").write_text("".join(lines), encoding="ascii", newline="\n")
        print(f"{store}: {count} paragraphs")


if __name__ == "__main__":
    main()
