#!/usr/bin/env python3
"""Draws the program's icons as SVG and renders them into assets/icons/.

    python3 tools/icons/make_icons.py [--sheet SHEET.png]

Writes one SVG per picture next to this script (the drawings are made here;
edit them here, not in the SVGs), then renders it with rsvg-convert
(librsvg2-bin) and converts it with ImageMagick's convert:

- the person icons and the About pictures become 32 x 32 ICOs of 4 bits per
  pixel: the colours are mapped, without dithering, onto the classic
  16-colour palette, and the background becomes the icon's transparency mask;
- the menu button pictures become 32 x 32 PNGs in the same colours;
- lumora.svg, the application icon, becomes a 256 x 256 PNG (installed for
  the desktop) and a 64 x 64 one (the windows' own icon, sent to the window
  manager with every window).

--sheet also writes every picture enlarged four times side by side, for
looking at them. Standard library only.
"""

import argparse
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
ICONS = HERE.parent.parent / "assets" / "icons"

# The classic 16-colour palette without magenta, which no picture uses.
BLACK, MAROON, GREEN, OLIVE = "#000000", "#800000", "#008000", "#808000"
NAVY, PURPLE, TEAL, SILVER = "#000080", "#800080", "#008080", "#c0c0c0"
GRAY, RED, LIME, YELLOW = "#808080", "#ff0000", "#00ff00", "#ffff00"
BLUE, AQUA, WHITE = "#0000ff", "#00ffff", "#ffffff"
PALETTE = [BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER,
           GRAY, RED, LIME, YELLOW, BLUE, AQUA, WHITE]

# Colour of a person's digit, so that the persons also differ at a glance.
PERSON_COLOUR = {1: RED, 2: BLUE, 3: GREEN}

# Letters and digits as strokes in a unit box: x from the left edge, y from
# the top of the box (the digit height, or the x-height of a small letter;
# ascenders and accents reach above 0). Only M, L, C and A are used.
GLYPHS = {
    "1": "M .12 .3 L .62 0 L .62 1 M .18 1 L 1 1",
    "2": "M .06 .28 C .08 -.06 .94 -.08 .94 .3 C .94 .56 .42 .7 .06 1 L .98 1",
    "3": "M .08 .1 C .34 -.06 .92 -.04 .9 .27 C .88 .44 .66 .48 .42 .48 "
         "C .74 .48 .96 .56 .96 .75 C .96 1.06 .36 1.08 .04 .88",
    "a": "M .88 0 L .88 1 M .88 .5 A .41 .5 0 1 0 .06 .5 A .41 .5 0 1 0 .88 .5",
    "e": "M .08 .52 L .92 .52 C .94 .2 .76 0 .5 0 C .22 0 .06 .22 .06 .5 "
         "C .06 .8 .24 1 .52 1 C .7 1 .82 .95 .92 .86",
    "o": "M .92 .5 A .43 .5 0 1 0 .06 .5 A .43 .5 0 1 0 .92 .5",
    "u": "M .1 0 L .1 .6 C .1 .9 .3 1 .5 1 C .7 1 .9 .9 .9 .6 M .9 0 L .9 1",
    "n": "M .1 1 L .1 0 M .1 .4 C .1 .1 .3 0 .5 0 C .7 0 .9 .1 .9 .4 L .9 1",
    "k": "M .12 -.65 L .12 1 M .88 0 L .12 .6 M .42 .38 L .92 1",
    "-": "M .1 .5 L .9 .5",
    "A": "M 0 1 L .5 0 L 1 1 M .22 .64 L .78 .64",
    "´": "M .36 -.25 L .66 -.6",
    "˝": "M .1 -.25 L .32 -.6 M .62 -.25 L .84 -.6",
}


def glyph(ch, x, y, w, h):
    """Path data of a glyph placed in the box x, y, w, h."""
    out, nums, cmd = [], [], None
    for tok in re.findall(r"[MLCA]|-?\d*\.?\d+", GLYPHS[ch]):
        if tok.isalpha():
            cmd = tok
            out.append(tok)
            continue
        nums.append(float(tok))
        if cmd == "A" and len(nums) == 7:
            rx, ry, rot, large, sweep, px, py = nums
            out.append(f"{rx * w:g} {ry * h:g} {rot:g} {large:g} {sweep:g} "
                       f"{x + px * w:g} {y + py * h:g}")
            nums = []
        elif cmd != "A" and len(nums) == 2:
            out.append(f"{x + nums[0] * w:g} {y + nums[1] * h:g}")
            nums = []
    return " ".join(out)


def stroke(d, colour, width):
    return (f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{width}" '
            'stroke-linecap="round" stroke-linejoin="round"/>')


def text(chars, x, y, w, h, gap, colour, width):
    """A word of glyphs, each w wide, starting at x with its box top at y."""
    d = " ".join(glyph(c, x + i * (w + gap), y, w, h) for i, c in enumerate(chars))
    return stroke(d, colour, width)


def svg(body, size=32):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
            f'viewBox="0 0 {size} {size}">\n' + "\n".join(body) + "\n</svg>\n")


# --- Stick figures -----------------------------------------------------------

def hat(cx, w):
    """A black top hat with a red band, w wide at the brim, above a head."""
    crown = w * 0.62
    return [f'<rect x="{cx - crown / 2:g}" y="0" width="{crown:g}" height="4" '
            f'fill="{BLACK}"/>',
            f'<rect x="{cx - crown / 2:g}" y="3" width="{crown:g}" height="1" fill="{RED}"/>',
            stroke(f"M {cx - w / 2:g} 5 L {cx + w / 2:g} 5", BLACK, 2)]


def person_figure(cx, digit, w, hands=(None, None), with_hat=False):
    """A figure whose head is the digit, w wide, standing on the bottom edge.

    hands gives the points where the left and right hand end, for figures
    holding hands; otherwise the arms hang down at the sides."""
    body = hat(cx, w + 3) if with_hat else []
    body.append(text(digit, cx - w / 2, 7.5, w, 11, 0, PERSON_COLOUR[int(digit)], 2.5))
    left = hands[0] or (cx - 6, 25)
    right = hands[1] or (cx + 6, 25)
    limbs = (f"M {cx:g} 20 L {cx:g} 25.5 "            # neck and trunk
             f"M {left[0]:g} {left[1]:g} L {cx:g} 21 L {right[0]:g} {right[1]:g} "
             f"M {cx - 5:g} 31 L {cx:g} 25.5 L {cx + 5:g} 31")
    body.append(stroke(limbs, BLACK, 2))
    return body


def person_icon(digit, count, with_hat):
    if count == 1:
        return svg(person_figure(16, digit, 9, with_hat=with_hat))
    # Two figures holding hands in the middle.
    return svg(person_figure(8, digit, 7.5, hands=(None, (16, 23.5)), with_hat=with_hat)
               + person_figure(24, digit, 7.5, hands=((16, 23.5), None), with_hat=with_hat))


# Grammatical person and number of figures of each icon, by its number.
PERSONS = {51: ("1", 1, False), 52: ("2", 1, False), 53: ("3", 1, False),
           54: ("3", 1, True), 55: ("1", 2, False), 56: ("2", 2, False),
           57: ("3", 2, False), 58: ("3", 2, True)}


# --- About window --------------------------------------------------------------

def speech_bubble(letter, accent):
    """A speech bubble saying one accented small letter; the accent is red."""
    outline = ("M 6 2 L 26 2 C 28.5 2 30 3.5 30 6 L 30 20 C 30 22.5 28.5 24 26 24 "
               "L 13 24 L 5 30.5 L 7.5 24 L 6 24 C 3.5 24 2 22.5 2 20 L 2 6 "
               "C 2 3.5 3.5 2 6 2 Z")
    return svg([f'<path d="{outline}" fill="{WHITE}" stroke="{BLACK}" stroke-width="1.5" '
                'stroke-linejoin="round"/>',
                text(letter, 11, 11, 10, 10, 0, NAVY, 2.6),
                text(accent, 11, 11, 10, 10, 0, RED, 2.2)])


def info():
    """The letter i in a blue circle."""
    return svg([f'<circle cx="16" cy="16" r="14.5" fill="{BLUE}" stroke="{NAVY}" '
                'stroke-width="1.5"/>',
                f'<circle cx="16" cy="8.5" r="2.6" fill="{WHITE}"/>',
                f'<path d="M 12.5 13 L 18 13 L 18 22.5 L 20 22.5 L 20 25 L 12 25 L 12 22.5 '
                f'L 14 22.5 L 14 15.5 L 12.5 15.5 Z" fill="{WHITE}"/>'])


# --- Menu buttons ----------------------------------------------------------------

def small_figure(cx, head, top=1, height=18):
    """A plain stick figure with a round head, for the menu pictures."""
    s = height / 18
    return [f'<circle cx="{cx:g}" cy="{top + 3 * s:g}" r="{2.8 * s:g}" fill="{head}" '
            f'stroke="{BLACK}" stroke-width="1"/>',
            stroke(f"M {cx:g} {top + 6 * s:g} L {cx:g} {top + 12 * s:g} "
                   f"M {cx - 3.5 * s:g} {top + 11 * s:g} L {cx:g} {top + 8 * s:g} "
                   f"L {cx + 3.5 * s:g} {top + 11 * s:g} "
                   f"M {cx - 3 * s:g} {top + height:g} L {cx:g} {top + 12 * s:g} "
                   f"L {cx + 3 * s:g} {top + height:g}", BLACK, 1.6)]


def menu1():
    """Verb endings of the plural persons: two figures and -unk."""
    return svg(small_figure(10, BLUE, 1, 16) + small_figure(20, BLUE, 1, 16)
               + [text("-unk", 2, 24, 5.5, 7, 1.7, RED, 1.6)])


def menu2():
    """Verb endings of both numbers: one figure, then two figures."""
    return svg(small_figure(5.5, RED, 5, 24)
               + [stroke("M 11.5 4 L 11.5 30", GRAY, 1)]
               + small_figure(17.5, BLUE, 5, 24) + small_figure(26.5, BLUE, 5, 24))


def menu3():
    """Sentences from pictures: a framed landscape and a pencil."""
    return svg([f'<rect x="1.5" y="2.5" width="23" height="18" fill="{AQUA}" '
                f'stroke="{MAROON}" stroke-width="2"/>',
                f'<circle cx="18" cy="8" r="3" fill="{YELLOW}"/>',
                f'<path d="M 2.5 19.5 L 2.5 15 C 7 10 11 11 15 15 C 18 13 21 13 23.5 15 '
                f'L 23.5 19.5 Z" fill="{GREEN}"/>',
                # The pencil, drawn lying and turned to point down to the left.
                '<g transform="rotate(-45 20 24)">',
                f'<rect x="14" y="21.5" width="15" height="5" fill="{YELLOW}" '
                f'stroke="{BLACK}" stroke-width="1"/>',
                f'<rect x="27" y="21.5" width="3" height="5" fill="{RED}" '
                f'stroke="{BLACK}" stroke-width="1"/>',
                f'<path d="M 14 21.5 L 8.5 24 L 14 26.5 Z" fill="{SILVER}" '
                f'stroke="{BLACK}" stroke-width="1" stroke-linejoin="round"/>',
                f'<path d="M 10.2 23.2 L 8.5 24 L 10.2 24.8 Z" fill="{BLACK}"/>',
                '</g>'])


def menu5():
    """A text with gaps: lines on a sheet, with coloured gaps."""
    body = [f'<rect x="3.5" y="1.5" width="25" height="29" fill="{WHITE}" '
            f'stroke="{GRAY}" stroke-width="1"/>']
    # Each line: (y, [(x from, x to, kind)]), kind "t" text, "g" an open gap,
    # "s" a solved gap.
    lines = [(6, [(6, 12, "t"), (14, 19, "g"), (21, 26, "t")]),
             (12, [(6, 16, "t"), (18, 26, "s")]),
             (18, [(6, 9, "t"), (11, 17, "g"), (19, 26, "t")]),
             (24, [(6, 13, "s"), (15, 26, "t")]),
             (29, [(6, 16, "t")])]
    for y, parts in lines:
        for x0, x1, kind in parts:
            if kind == "t":
                body.append(stroke(f"M {x0} {y} L {x1} {y}", BLACK, 2))
            else:
                fill = YELLOW if kind == "g" else LIME
                body.append(f'<rect x="{x0 - 0.5}" y="{y - 2.5}" width="{x1 - x0 + 1}" '
                            f'height="5" fill="{fill}" stroke="{RED if kind == "g" else GREEN}" '
                            'stroke-width="1"/>')
    return svg(body)


# --- Application icon ---------------------------------------------------------

def lumora():
    """A green figure with a speech bubble that says Á."""
    dark_green = "#005800"  # the icon has full colour; this one is not in PALETTE
    bubble = ("M 124 12 L 224 12 C 240 12 248 20 248 36 L 248 124 C 248 140 240 148 224 148 "
              "L 124 148 C 108 148 100 140 100 124 L 100 120 L 78 128 L 100 92 L 100 36 "
              "C 100 20 108 12 124 12 Z")
    return svg([f'<path d="{bubble}" fill="{WHITE}" stroke="{NAVY}" stroke-width="8" '
                'stroke-linejoin="round"/>',
                text("A", 136, 62, 76, 74, 0, RED, 16),
                stroke("M 170 50 L 194 26", RED, 14),
                f'<circle cx="46" cy="118" r="24" fill="{GREEN}" stroke="{dark_green}" '
                'stroke-width="6"/>',
                stroke("M 46 142 L 46 200 M 12 188 L 46 160 L 84 178 "
                       "M 18 248 L 46 200 L 74 248", dark_green, 14)],
               size=256)


# --- Rendering -----------------------------------------------------------------

def run(*args):
    subprocess.run([str(a) for a in args], check=True)


def to_palette(png, out, palette):
    """Maps png onto the palette without dithering; half-transparent pixels
    become opaque or transparent, as an icon's mask allows.

    ImageMagick writes an ICO of 4 bits per pixel only for a palette image of
    3 to 16 colours, the transparent one included: hence PaletteAlpha, and a
    PALETTE of 15."""
    run("convert", png,
        "(", "-clone", "0", "-alpha", "extract", "-threshold", "50%", ")",
        "(", "-clone", "0", "-alpha", "off", "+dither", "-remap", palette, ")",
        "-delete", "0", "+swap", "-alpha", "off", "-compose", "CopyOpacity", "-composite",
        "-type", "PaletteAlpha", "-strip", "-define", "png:exclude-chunks=date,time", out)


def pictures():
    """Every picture: its file under assets/icons, its SVG text and its size."""
    yield "lumora.png", lumora(), 256
    yield "lumora-64.png", lumora(), 64
    for number, (digit, count, with_hat) in PERSONS.items():
        yield f"person{number}.ico", person_icon(digit, count, with_hat), 32
    for i, (letter, accent) in enumerate([("a", "´"), ("e", "´"), ("o", "˝")], 1):
        yield f"about{i}.ico", speech_bubble(letter, accent), 32
    yield "info.ico", info(), 32
    for n, draw in [(1, menu1), (2, menu2), (3, menu3), (5, menu5)]:
        yield f"menu{n}.png", draw(), 32


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--sheet", type=Path, help="also write an enlarged contact sheet")
    args = parser.parse_args()
    for tool in ("rsvg-convert", "convert", "montage"):
        if not shutil.which(tool):
            sys.exit(f"{tool} is missing: apt-get install librsvg2-bin imagemagick")
    ICONS.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        tmp = Path(tmp)
        palette = tmp / "palette.png"
        run("convert", *[f"xc:{c}" for c in PALETTE], "+append", palette)
        small = []
        for filename, drawing, size in pictures():
            source = HERE / f"{Path(filename).stem.removesuffix('-64')}.svg"
            source.write_text(drawing, encoding="utf-8")
            png = tmp / f"{source.stem}.png"
            run("rsvg-convert", "-w", size, "-h", size, source, "-o", png)
            if size == 32:  # the icons and menu pictures keep to the 16 colours
                to_palette(png, ICONS / filename, palette)
                small.append(ICONS / filename)
            else:
                shutil.copyfile(png, ICONS / filename)
        if args.sheet:
            run("montage", *small, "-tile", "8x", "-geometry", "32x32+4+4",
                "-background", "#c0c0c0", tmp / "sheet.png")
            run("convert", tmp / "sheet.png", "-filter", "point", "-resize", "400%",
                args.sheet)


if __name__ == "__main__":
    main()
