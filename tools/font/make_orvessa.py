#!/usr/bin/python3
# SPDX-License-Identifier: AGPL-3.0-or-later
"""Builds the glyph font "Orvessa" from the symbols of DejaVu Sans plus a few drawn shapes.

Usage: /usr/bin/python3 make_orvessa.py SOURCE.ttf OUT.ttf OUT_PATHS.txt

Every glyph the workstation draws sits at one character code (see docs/glyph-font.md); codes
128..255 are mapped both at the Latin-1 code point and at U+F000 + code, the private-use
mirror that symbol fonts use, so either spelling of a code finds the glyph.

The second output lists each glyph's outline as SVG path data, for surfaces that draw the
glyphs as paths instead of relying on an installed font.
"""

import math
import os
import sys

import fontforge
import psMat

SOURCE_BOX = (170, 0, 1666, 1496)  # where the source font's planet and sign symbols sit
ADVANCE = 1836
BAR = 110  # stroke thickness of drawn shapes, in font units

# Letters and digits of the 35-body list: glyph letter -> source code point or drawn monogram.
BODY_SYMBOLS = {
    "h": 0x2644, "j": 0x2643, "s": 0x2609, "e": 0x2641, "y": 0x263F, "v": 0x2640,
    "l": 0x263D, "d": 0x260A, "m": 0x2642, "c": 0x26B3, "x": 0x26B4, "a": 0x26B6,
    "o": 0x26B5, "k": 0x26B7, "u": 0x2645, "n": 0x2646, "p": 0x2647, "5": 0x26B8,
}
# Distant bodies: two letters over a bar.
DISTANT_MONOGRAMS = {"z": "SE", "i": "IX", "r": "OR", "g": "PE", "q": "QU", "b": "UB", "w": "VA"}

# The 23 asteroids with a glyph of their own, codes 215..237, drawn as a ring around two letters.
ASTEROID_CODES = ["AP", "AO", "AR", "AT", "BA", "DE", "DI", "DS", "EP", "ER", "HE", "HA",
                  "HS", "HT", "LE", "MI", "MS", "PN", "PD", "PE", "PO", "PR", "ZE"]
FIRST_ASTEROID = 215
# Asteroids of the 35-body list; Diana, Eros and Pandora share the ringed glyph above.
RINGED_MONOGRAMS = {"1": "AM", "2": "DI", "3": "ER", "4": "HI", "f": "IC", "6": "PD",
                    "7": "PS", "8": "SA", "9": "TO", "t": "UR"}

# Aspects at 159 + aspect code: a source code point, a drawing function name, or letters.
ASPECTS = {
    2: 0x260C,          # conjunction
    3: "sextile",
    4: 0x25A1,          # square
    5: 0x25B3,          # trine
    6: 0x260D,          # opposition
    7: 0x2225,          # parallel
    8: "semisextile",
    9: 0x2220,          # semi-square
    10: "sesquiquadrate",
    11: "quincunx",
    12: 0x22A5,         # semi-quintile
    13: ("N",),         # nonagen
    14: ("Q",),         # quintile
    15: ("Tr",),        # trecile
    16: ("bQ",),        # biquintile
    18: 0x22D5,         # contra-parallel
}
FIRST_ASPECT = 159

# Chart points the body letters do not cover.
POINTS = {
    141: ("AC",),       # ascendant
    142: ("MC",),       # midheaven
    143: 0x2297,        # part of fortune
    144: ("Vx",),       # vertex
    145: 0x260B,        # south node
    146: 0x211E,        # retrograde mark
}

# Plain characters, so that labels printed in this font never show empty boxes.
PLAIN = [ord(ch) for ch in " ABCDEFGHIJKLMNOPQRSTUVWXYZ[].-"]
BLANK_CODES = [0xA0]  # code 160: "no aspect"


def new_layer():
    """An empty layer of quadratic contours, as TrueType outlines are."""
    layer = fontforge.layer()
    layer.is_quadratic = True
    return layer


def layer_of(source, codepoint):
    glyph = source[codepoint]
    glyph.unlinkRef()
    return glyph.foreground.dup()


def rectangle(x0, y0, x1, y1):
    c = fontforge.contour(True)
    c.moveTo(x0, y0)
    c.lineTo(x0, y1)
    c.lineTo(x1, y1)
    c.lineTo(x1, y0)
    c.closed = True
    return c


def stroke(x0, y0, x1, y1, width=BAR):
    """A straight stroke of the given width from (x0, y0) to (x1, y1), as a closed contour."""
    length = math.hypot(x1 - x0, y1 - y0)
    nx, ny = -(y1 - y0) / length * width / 2, (x1 - x0) / length * width / 2
    c = fontforge.contour(True)
    c.moveTo(x0 + nx, y0 + ny)
    c.lineTo(x1 + nx, y1 + ny)
    c.lineTo(x1 - nx, y1 - ny)
    c.lineTo(x0 - nx, y0 - ny)
    c.closed = True
    return c


def circle(cx, cy, r, clockwise):
    """A circle of eight quadratic arcs (45 degrees each stays within 0.1 % of the radius)."""
    c = fontforge.contour(True)
    step = math.pi / 4
    reach = r / math.cos(step / 2)
    sign = -1 if clockwise else 1
    c.moveTo(cx + r, cy)
    for k in range(8):
        mid, end = sign * (k + 0.5) * step, sign * (k + 1) * step
        c.quadraticTo((cx + reach * math.cos(mid), cy + reach * math.sin(mid)),
                      (cx + r * math.cos(end), cy + r * math.sin(end)))
    c.closed = True
    return c


def ring(cx, cy, r, width=BAR):
    layer = new_layer()
    layer += circle(cx, cy, r, True)
    layer += circle(cx, cy, r - width, False)
    return layer


def letters(source, text, box):
    """The letters of text from the source font, scaled and centred into box (x0, y0, x1, y1)."""
    layer = new_layer()
    x = 0
    for ch in text:
        glyph = layer_of(source, ord(ch))
        glyph.transform(psMat.translate(x, 0))
        layer += glyph
        x += source[ord(ch)].width
    xmin, ymin, xmax, ymax = layer.boundingBox()
    bx0, by0, bx1, by1 = box
    k = min((bx1 - bx0) / (xmax - xmin), (by1 - by0) / (ymax - ymin))
    dx = (bx0 + bx1) / 2 - k * (xmin + xmax) / 2
    dy = (by0 + by1) / 2 - k * (ymin + ymax) / 2
    layer.transform(psMat.compose(psMat.scale(k), psMat.translate(dx, dy)))
    return layer


def ringed_monogram(source, text):
    x0, y0, x1, y1 = SOURCE_BOX
    cx, cy, r = (x0 + x1) / 2, (y0 + y1) / 2, (y1 - y0) / 2
    layer = ring(cx, cy, r)
    inner = (r - BAR) * 0.68
    layer += letters(source, text, (cx - inner, cy - inner * 0.62, cx + inner, cy + inner * 0.62))
    return layer


def barred_monogram(source, text):
    x0, y0, x1, y1 = SOURCE_BOX
    layer = letters(source, text, (x0, y0 + 2.5 * BAR, x1, y1))
    layer += rectangle(x0, y0, x1, y0 + BAR)
    return layer


def sextile():
    x0, y0, x1, y1 = SOURCE_BOX
    cx, cy, r = (x0 + x1) / 2, (y0 + y1) / 2, (y1 - y0) / 2 * 0.95
    layer = new_layer()
    for angle in (90, 30, 150):
        dx, dy = r * math.cos(math.radians(angle)), r * math.sin(math.radians(angle))
        layer += stroke(cx - dx, cy - dy, cx + dx, cy + dy)
    return layer


def bar_with_legs(bar_at_top):
    """Semi-sextile (bar below, legs rising) and quincunx (bar above, legs falling)."""
    x0, y0, x1, y1 = SOURCE_BOX
    cx = (x0 + x1) / 2
    half = (y1 - y0) * 0.42
    layer = new_layer()
    if bar_at_top:
        layer += rectangle(cx - half, y1 - BAR, cx + half, y1)
        apex, feet = y1 - BAR / 2, y0
    else:
        layer += rectangle(cx - half, y0, cx + half, y0 + BAR)
        apex, feet = y0 + BAR / 2, y1
    layer += stroke(cx, apex, cx - half, feet)
    layer += stroke(cx, apex, cx + half, feet)
    return layer


def sesquiquadrate():
    """A small square above an open angle."""
    x0, y0, x1, y1 = SOURCE_BOX
    side = (y1 - y0) * 0.42
    sx, sy = x1 - side - 60, y1 - side
    layer = new_layer()
    outer = rectangle(sx, sy, sx + side, sy + side)
    inner = rectangle(sx + BAR, sy + BAR, sx + side - BAR, sy + side - BAR)
    inner.reverseDirection()
    layer += outer
    layer += inner
    layer += rectangle(x0, y0, x0 + (x1 - x0) * 0.62, y0 + BAR)
    layer += stroke(x0 + BAR / 2, y0 + BAR / 2, x0 + (x1 - x0) * 0.5, y0 + (y1 - y0) * 0.5)
    return layer


DRAWN = {
    "sextile": sextile,
    "semisextile": lambda: bar_with_legs(False),
    "quincunx": lambda: bar_with_legs(True),
    "sesquiquadrate": sesquiquadrate,
}


def shape_for(source, shape):
    if isinstance(shape, int):
        return layer_of(source, shape), source[shape].width
    if isinstance(shape, tuple):
        text = shape[0]
        if len(text) == 1:
            return layer_of(source, ord(text)), source[ord(text)].width
        x0, _, x1, _ = SOURCE_BOX
        return letters(source, text, (x0, 0, x1, SOURCE_BOX[3])), ADVANCE
    return DRAWN[shape](), ADVANCE


def put(font, code, layer, width, name):
    glyph = font.createChar(code, name)
    glyph.foreground = layer
    glyph.width = int(round(width))
    if code >= 128:
        glyph.altuni = ((0xF000 + code, -1, 0),)
    glyph.removeOverlap()
    glyph.correctDirection()
    glyph.round()


def glyph_table(source):
    """(code, layer, advance, name) for every glyph of the font."""
    table = []
    for letter, shape in BODY_SYMBOLS.items():
        layer, width = shape_for(source, shape)
        table.append((ord(letter), layer, width, "body_" + letter))
    for letter, text in DISTANT_MONOGRAMS.items():
        table.append((ord(letter), barred_monogram(source, text), ADVANCE, "body_" + letter))
    for letter, text in RINGED_MONOGRAMS.items():
        table.append((ord(letter), ringed_monogram(source, text), ADVANCE, "body_" + letter))
    for j, text in enumerate(ASTEROID_CODES):
        code = FIRST_ASTEROID + j
        table.append((code, ringed_monogram(source, text), ADVANCE, "asteroid_%d" % code))
    for sign in range(1, 13):
        layer, width = shape_for(source, 0x2647 + sign)
        table.append((128 + sign, layer, width, "sign_%02d" % sign))
    for aspect, shape in ASPECTS.items():
        layer, width = shape_for(source, shape)
        table.append((FIRST_ASPECT + aspect, layer, width, "aspect_%02d" % aspect))
    for code, shape in POINTS.items():
        layer, width = shape_for(source, shape)
        table.append((code, layer, width, "point_%d" % code))
    for code in PLAIN:
        table.append((code, layer_of(source, code), source[code].width, "plain_%d" % code))
    for code in BLANK_CODES:
        table.append((code, new_layer(), source[0x20].width, "blank_%d" % code))
    return table


def build_font(source_path, out_path):
    source = fontforge.open(source_path)
    font = fontforge.font()
    font.encoding = "UnicodeFull"
    font.em = source.em
    font.ascent, font.descent = source.ascent, source.descent
    font.fontname = "Orvessa"
    font.familyname = "Orvessa"
    font.fullname = "Orvessa"
    font.weight = "Book"
    font.version = "1.0"
    font.copyright = (source.copyright.strip() +
                      "\nOrvessa: glyphs selected, composed and drawn for the Quintaro workstation.")
    for attr in ("os2_winascent", "os2_windescent", "hhea_ascent", "hhea_descent",
                 "os2_typoascent", "os2_typodescent", "os2_typolinegap", "hhea_linegap"):
        setattr(font, attr, getattr(source, attr))
    font.os2_winascent_add = font.os2_windescent_add = False
    font.hhea_ascent_add = font.hhea_descent_add = False
    font.os2_typoascent_add = font.os2_typodescent_add = False
    font.appendSFNTName("English (US)", "License",
                        "Bitstream Vera Fonts Copyright and Arev Fonts Copyright, as given in "
                        "LICENSE-Orvessa.txt beside this font.")
    codes = set()
    for code, layer, width, name in glyph_table(source):
        if code in codes:
            raise SystemExit("make_orvessa: code %d assigned twice" % code)
        codes.add(code)
        put(font, code, layer, width, name)
    font.generate(out_path)
    return codes


def point_text(x, y):
    return "%s %s" % (fmt(x), fmt(y))


def fmt(v):
    return ("%.1f" % v).rstrip("0").rstrip(".")


def contour_path(points):
    """SVG path data of one closed quadratic contour (TrueType on/off-curve points)."""
    pts = [(p.x, p.y, p.on_curve) for p in points]
    if not pts:
        return ""
    start = next((i for i, p in enumerate(pts) if p[2]), None)
    if start is None:  # all off-curve: begin at the midpoint of the first two
        a, b = pts[0], pts[1 % len(pts)]
        pts.insert(1, ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2, True))
        start = 1
    pts = pts[start:] + pts[:start]
    out = ["M" + point_text(pts[0][0], pts[0][1])]
    pts.append(pts[0])
    i = 1
    while i < len(pts):
        x, y, on = pts[i]
        if on:
            out.append("L" + point_text(x, y))
            i += 1
            continue
        nx, ny, non = pts[i + 1] if i + 1 < len(pts) else pts[0]
        if non:
            out.append("Q" + point_text(x, y) + " " + point_text(nx, ny))
            i += 2
        else:
            out.append("Q" + point_text(x, y) + " " + point_text((x + nx) / 2, (y + ny) / 2))
            i += 1
    out.append("Z")
    return "".join(out)


def write_paths(ttf_path, paths_path):
    """A header line, a units line (units per em, ascent, descent) and one line per code:
    code, advance width, SVG path data (font units, y upwards; commands M, L, Q and Z only)."""
    font = fontforge.open(ttf_path)
    # Ascent and descent as text layout uses them (line height), not the em split.
    lines = ["orvessa-paths 1",
             "units %d %d %d" % (font.em, font.hhea_ascent, abs(font.hhea_descent))]
    for glyph in sorted(font.glyphs(), key=lambda g: g.unicode):
        if glyph.unicode < 0 or glyph.unicode >= 0xF000:
            continue
        contours = [c for c in glyph.foreground]
        for c in contours:
            if not c.is_quadratic:
                raise SystemExit("make_orvessa: %s is not quadratic" % glyph.glyphname)
        data = "".join(contour_path(list(c)) for c in contours)
        lines.append("%d %d %s" % (glyph.unicode, glyph.width, data))
    with open(paths_path, "w", encoding="ascii") as out:
        out.write("\n".join(lines) + "\n")


def main(argv):
    if len(argv) != 4:
        raise SystemExit("usage: make_orvessa.py SOURCE.ttf OUT.ttf OUT_PATHS.txt")
    # Both outputs are written under temporary names and renamed only when complete, so a
    # failed run never leaves a half-written font that the build would take as up to date.
    font_tmp, paths_tmp = argv[2] + ".part.ttf", argv[3] + ".part"
    build_font(argv[1], font_tmp)
    write_paths(font_tmp, paths_tmp)
    os.replace(paths_tmp, argv[3])
    os.replace(font_tmp, argv[2])


if __name__ == "__main__":
    main(sys.argv)
