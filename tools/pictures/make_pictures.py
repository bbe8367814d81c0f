#!/usr/bin/env python3
"""Draws the 32 exercise-3 pictures and writes assets/pictures/pic00.gif .. pic31.gif
(CMakeLists.txt compiles every file of assets/pictures into the program).

Every scene is a short composition of the parts below (figure, building with a
sign, arrow, bubble, furniture, ...), so all pictures share one look and a
change to a part changes every scene that uses it. This script is the source;
the SVGs are written to a temporary directory only (or to --svg DIR).

Needs rsvg-convert (librsvg2-bin), ImageMagick and the DejaVu fonts
(fonts-dejavu-core). Standard library only.

    tools/pictures/make_pictures.py [--sheet FILE.png] [--svg DIR] [--only K ...]
"""

import argparse
import html
import itertools
import math
import pathlib
import shutil
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 240, 170
ROOT = pathlib.Path(__file__).resolve().parents[2]
OUT = ROOT / "assets" / "pictures"

# The eight colours of every picture.
WHITE = "#ffffff"
BLACK = "#000000"
GREEN = "#38a838"   # the subject figures
BROWN = "#a05a2c"   # wood, walls, hair
GREY = "#a0a0a0"    # stone, metal, other people
RED = "#e01818"     # arrows, wanted things, the cross on a bag
SKIN = "#f4d8a8"    # faces, hands, paper, floors
BLUE = "#4878d0"    # glass, screens, water
PALETTE = [WHITE, BLACK, GREEN, BROWN, GREY, RED, SKIN, BLUE]

FONT = "DejaVu Sans"


# --- SVG primitives ---------------------------------------------------------

def _num(v):
    return f"{v:.2f}".rstrip("0").rstrip(".")


def _pts(points):
    return " ".join(f"{_num(x)},{_num(y)}" for x, y in points)


def rect(x, y, w, h, fill=WHITE, stroke=BLACK, sw=1.0, rx=0):
    r = f' rx="{_num(rx)}"' if rx else ""
    return (f'<rect x="{_num(x)}" y="{_num(y)}" width="{_num(w)}" height="{_num(h)}"{r} '
            f'fill="{fill}" stroke="{stroke}" stroke-width="{_num(sw)}"/>')


def line(x1, y1, x2, y2, stroke=BLACK, sw=1.0):
    return (f'<line x1="{_num(x1)}" y1="{_num(y1)}" x2="{_num(x2)}" y2="{_num(y2)}" '
            f'stroke="{stroke}" stroke-width="{_num(sw)}" stroke-linecap="round"/>')


def polyline(points, stroke=BLACK, sw=1.0):
    return (f'<polyline points="{_pts(points)}" fill="none" stroke="{stroke}" '
            f'stroke-width="{_num(sw)}" stroke-linecap="round" stroke-linejoin="round"/>')


def polygon(points, fill=WHITE, stroke=BLACK, sw=1.0):
    return (f'<polygon points="{_pts(points)}" fill="{fill}" stroke="{stroke}" '
            f'stroke-width="{_num(sw)}" stroke-linejoin="round"/>')


def path(d, fill=WHITE, stroke=BLACK, sw=1.0):
    return (f'<path d="{d}" fill="{fill}" stroke="{stroke}" stroke-width="{_num(sw)}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')


def circle(cx, cy, r, fill=WHITE, stroke=BLACK, sw=1.0):
    return (f'<circle cx="{_num(cx)}" cy="{_num(cy)}" r="{_num(r)}" fill="{fill}" '
            f'stroke="{stroke}" stroke-width="{_num(sw)}"/>')


def ellipse(cx, cy, rx, ry, fill=WHITE, stroke=BLACK, sw=1.0):
    return (f'<ellipse cx="{_num(cx)}" cy="{_num(cy)}" rx="{_num(rx)}" ry="{_num(ry)}" '
            f'fill="{fill}" stroke="{stroke}" stroke-width="{_num(sw)}"/>')


def text(x, y, s, size=10, fill=BLACK, anchor="middle", bold=True, condensed=False):
    weight = ' font-weight="bold"' if bold else ""
    stretch = ' font-stretch="condensed"' if condensed else ""
    return (f'<text x="{_num(x)}" y="{_num(y)}" font-family="{FONT}" font-size="{_num(size)}"'
            f'{weight}{stretch} text-anchor="{anchor}" fill="{fill}">{html.escape(s)}</text>')


def group(parts, x=0, y=0, sx=1.0, sy=None):
    sy = sx if sy is None else sy
    return (f'<g transform="translate({_num(x)},{_num(y)}) scale({_num(sx)},{_num(sy)})">'
            + "".join(parts) + "</g>")


_clip_ids = itertools.count()


def clipped(content, shapes):
    """content shown only inside shapes (SVG shape elements)."""
    n = next(_clip_ids)
    return f'<clipPath id="clip{n}">{shapes}</clipPath><g clip-path="url(#clip{n})">{content}</g>'


def text_width(s, size):
    """Rough width of bold DejaVu capitals, enough to size a sign board."""
    return sum(0.45 if c in " .I" else 0.78 for c in s) * size


# --- People -----------------------------------------------------------------
# A figure is drawn facing right in a frame 100 units tall, feet at y = 0,
# then scaled and mirrored into place. A pose gives the view (front or side),
# the head, shoulder and hip points and the limbs as polylines from the body
# outwards: arms and legs, each (far, near).

POSES = {
    "stand": dict(view="front", head=(0, -88), neck=(0, -74), hip=(0, -42),
                  arms=([(-11, -72), (-14, -55), (-15, -39)], [(11, -72), (14, -55), (15, -39)]),
                  legs=([(-6, -44), (-7, -2)], [(6, -44), (7, -2)])),
    "talk": dict(view="front", head=(0, -88), neck=(0, -74), hip=(0, -42),
                 arms=([(-11, -72), (-14, -55), (-15, -39)], [(11, -72), (21, -60), (27, -72)]),
                 legs=([(-6, -44), (-7, -2)], [(6, -44), (7, -2)])),
    "watch": dict(view="front", head=(0, -88), neck=(0, -74), hip=(0, -42),
                  arms=([(-11, -72), (-14, -55), (-15, -39)], [(11, -72), (15, -54), (1, -57)]),
                  legs=([(-6, -44), (-7, -2)], [(6, -44), (7, -2)])),
    "dance": dict(view="front", head=(0, -88), neck=(0, -74), hip=(0, -42),
                  arms=([(-11, -72), (-22, -80), (-25, -96)], [(11, -72), (23, -64), (31, -72)]),
                  legs=([(-6, -44), (-15, -24), (-13, -2)], [(6, -44), (9, -2)])),
    "dance2": dict(view="front", head=(0, -88), neck=(0, -74), hip=(0, -42),
                   arms=([(-11, -72), (-23, -64), (-31, -72)], [(11, -72), (22, -80), (25, -96)]),
                   legs=([(-6, -44), (-9, -2)], [(6, -44), (15, -24), (13, -2)])),
    "walk": dict(view="side", head=(2, -88), neck=(0, -74), hip=(0, -42),
                 arms=([(0, -72), (-7, -57), (-11, -44)], [(0, -72), (8, -57), (13, -47)]),
                 legs=([(0, -44), (-5, -23), (-13, -2)], [(0, -44), (6, -23), (12, -2)])),
    "carry": dict(view="side", head=(2, -88), neck=(0, -74), hip=(0, -42),
                  arms=([(0, -72), (-7, -57), (-11, -44)], [(0, -72), (7, -58), (18, -60)]),
                  legs=([(0, -44), (-5, -23), (-13, -2)], [(0, -44), (6, -23), (12, -2)])),
    "luggage": dict(view="side", head=(2, -88), neck=(0, -74), hip=(0, -42),
                    arms=([(0, -72), (-3, -56), (-4, -40)], [(0, -72), (3, -56), (5, -40)]),
                    legs=([(0, -44), (-3, -2)], [(0, -44), (4, -2)])),
    "say": dict(view="side", head=(2, -88), neck=(0, -74), hip=(0, -42),
                arms=([(0, -72), (-3, -56), (-4, -40)], [(0, -72), (10, -60), (20, -68)]),
                legs=([(0, -44), (-3, -2)], [(0, -44), (4, -2)])),
    "reach": dict(view="side", head=(2, -88), neck=(0, -74), hip=(0, -42),
                  arms=([(0, -72), (4, -56), (10, -50)], [(0, -72), (13, -64), (26, -64)]),
                  legs=([(0, -44), (-3, -2)], [(0, -44), (4, -2)])),
    "stir": dict(view="side", head=(2, -88), neck=(0, -74), hip=(0, -42),
                 arms=([(0, -72), (6, -56), (14, -54)], [(0, -72), (10, -58), (20, -60)]),
                 legs=([(0, -44), (-3, -2)], [(0, -44), (4, -2)])),
    "sit": dict(view="side", seated=True, head=(2, -80), neck=(0, -66), hip=(0, -32),
                arms=([(0, -64), (6, -48), (16, -44)], [(0, -64), (8, -48), (18, -44)]),
                legs=([(0, -32), (21, -32), (21, -2)], [(0, -32), (24, -32), (24, -2)])),
    "read": dict(view="side", seated=True, head=(2, -80), neck=(0, -66), hip=(0, -32),
                 arms=([(0, -64), (8, -50), (18, -56)], [(0, -64), (10, -50), (20, -56)]),
                 legs=([(0, -32), (21, -32), (21, -2)], [(0, -32), (24, -32), (24, -2)])),
    "type": dict(view="side", seated=True, head=(2, -80), neck=(0, -66), hip=(0, -32),
                 arms=([(0, -64), (11, -50), (24, -50)], [(0, -64), (13, -50), (27, -50)]),
                 legs=([(0, -32), (21, -32), (21, -2)], [(0, -32), (24, -32), (24, -2)])),
    "drive": dict(view="side", seated=True, head=(2, -80), neck=(0, -66), hip=(0, -32),
                  arms=([(0, -64), (10, -52), (24, -58)], [(0, -64), (12, -52), (26, -58)]),
                  legs=([(0, -32), (21, -32), (21, -2)], [(0, -32), (24, -32), (24, -2)])),
    "recline": dict(view="side", head=(-17, -74), neck=(-12, -62), hip=(0, -32),
                    arms=([(-11, -60), (-3, -44), (8, -38)], [(-11, -60), (-1, -44), (10, -37)]),
                    legs=([(0, -32), (22, -36), (32, -8)], [(0, -32), (24, -35), (35, -8)])),
}

# Looks of the kinds of people: dress or trousers, hair, extras, size.
KINDS = {
    "man": dict(dress=False, hair="short", scale=0.72),
    "youth": dict(dress=False, hair="short", scale=0.68),
    "boy": dict(dress=False, hair="short", scale=0.6),
    "woman": dict(dress=True, hair="long", scale=0.7),
    "girl": dict(dress=True, hair="pigtails", scale=0.6),
    "teacher": dict(dress=True, hair="bun", glasses=True, scale=0.7),
    "old": dict(dress=False, hair="bald", moustache=True, hat=True, scale=0.72),
}


def _limb(points, colour, width):
    d = "M" + " L".join(f"{_num(x)},{_num(y)}" for x, y in points)
    common = 'fill="none" stroke-linecap="round" stroke-linejoin="round"'
    return (f'<path d="{d}" {common} stroke="{BLACK}" stroke-width="{_num(width + 3)}"/>'
            f'<path d="{d}" {common} stroke="{colour}" stroke-width="{_num(width)}"/>')


def _hair_back(kind, hx, hy, side):
    look = KINDS[kind]["hair"]
    if look == "long":
        back = -3 if side else 0
        return path(f"M{hx - 11 + back},{hy + 12} L{hx - 11 + back},{hy - 2} "
                    f"A11 11 0 0 1 {hx + 11 + back * 2},{hy - 2} L{hx + 10 + back * 2},{hy + 12} Z", BROWN)
    if look == "pigtails":
        if side:
            return circle(hx - 12, hy + 2, 5, BROWN)
        return circle(hx - 13, hy + 2, 5, BROWN) + circle(hx + 13, hy + 2, 5, BROWN)
    if look == "bun":
        return circle(hx - (7 if side else 0), hy - 11, 6, BROWN)
    return ""


def _hair_top(kind, hx, hy, side):
    look = KINDS[kind]["hair"]
    colour = BLACK if look == "short" else BROWN
    if look == "bald":
        return (path(f"M{hx - 10},{hy + 2} Q{hx - 11},{hy - 5} {hx - 7},{hy - 6}", "none", GREY, 3)
                + ("" if side else path(f"M{hx + 10},{hy + 2} Q{hx + 11},{hy - 5} {hx + 7},{hy - 6}",
                                        "none", GREY, 3)))
    if side:
        return path(f"M{hx - 10.5},{hy + 3} L{hx - 10.5},{hy - 1} A10.5 10.5 0 0 1 {hx + 9},{hy - 5} "
                    f"L{hx + 3},{hy - 4} L{hx - 5},{hy - 3} L{hx - 6},{hy + 3} Z", colour)
    return path(f"M{hx - 10.5},{hy} A10.5 10.5 0 0 1 {hx + 10.5},{hy} "
                f"L{hx + 8},{hy - 5} L{hx - 8},{hy - 5} Z", colour)


def _eye(x, y, eyes):
    if eyes == "closed":
        return line(x - 1.5, y, x + 1.5, y, BLACK, 1)
    return circle(x, y, 1.2, BLACK, BLACK, 0)


def _face(kind, hx, hy, side, mouth, eyes):
    look = KINDS[kind]
    out = []
    if side:
        out.append(_eye(hx + 5, hy - 1, eyes))
        out.append(path(f"M{hx + 9.6},{hy - 1} L{hx + 12},{hy + 3} L{hx + 9.6},{hy + 4}", SKIN))
        if mouth == "open":
            out.append(ellipse(hx + 7, hy + 6, 2, 2.2, BLACK, BLACK, 0))
        else:
            out.append(line(hx + 5, hy + 6, hx + 8, hy + 6))
        if look.get("glasses"):
            out.append(circle(hx + 5, hy - 1, 3, "none", BLACK, 1))
        if look.get("moustache"):
            out.append(path(f"M{hx + 4},{hy + 4.5} L{hx + 10},{hy + 4.5}", "none", GREY, 2.5))
    else:
        for dx in (-3.5, 3.5):
            out.append(_eye(hx + dx, hy - 1, eyes))
            if look.get("glasses"):
                out.append(circle(hx + dx, hy - 1, 3, "none", BLACK, 1))
        if mouth == "open":
            out.append(ellipse(hx, hy + 5, 2, 2.2, BLACK, BLACK, 0))
        else:
            out.append(path(f"M{hx - 3},{hy + 4} Q{hx},{hy + 6.5} {hx + 3},{hy + 4}", "none"))
        if look.get("moustache"):
            out.append(path(f"M{hx - 4},{hy + 3} L{hx + 4},{hy + 3}", "none", GREY, 2.5))
    return "".join(out)


def _hat(hx, hy):
    return (ellipse(hx, hy - 8, 14, 3, BROWN)
            + path(f"M{hx - 8},{hy - 8} L{hx - 7},{hy - 19} L{hx + 7},{hy - 19} L{hx + 8},{hy - 8} Z", BROWN))


def figure(x, y, kind="man", pose="stand", face=1, fill=GREEN, badge=None, scale=None,
           mouth="closed", eyes="open"):
    """A person with feet at (x, y); face = 1 looks right, -1 left."""
    look = KINDS[kind]
    p = POSES[pose]
    s = scale or look["scale"]
    side = p["view"] == "side"
    hx, hy = p["head"]
    nx, ny = p["neck"]
    px, py = p["hip"]
    far_arm, near_arm = p["arms"]
    far_leg, near_leg = p["legs"]
    leg_colour, leg_w = (SKIN, 3.0) if look["dress"] else (fill, 6.0)

    out = [_hair_back(kind, hx, hy, side)]
    # legs and shoes
    for leg in (far_leg, near_leg):
        out.append(_limb(leg, leg_colour, leg_w))
        fx, fy = leg[-1]
        out.append(ellipse(fx + (3 if side else 0), fy + 1, 5 if side else 4, 2.5, BLACK, BLACK, 0))
    if side:
        out.append(_limb(far_arm, fill, 5))
        out.append(circle(*far_arm[-1], 3, SKIN))
    # body
    ws, wh = (7, 6) if side else (12, 10)
    if look["dress"] and p.get("seated"):
        kx, ky = near_leg[1]
        out.append(polygon([(px - 8, py - 5), (px - 8, py + 4), (kx + 3, ky + 5), (kx + 3, ky - 5)], fill))
        out.append(polygon([(nx - ws, ny), (nx + ws, ny), (px + wh + 1, py - 2), (px - wh - 1, py - 2)], fill))
    elif look["dress"]:
        hem = 15 if side else 17
        out.append(polygon([(nx - ws + 2, ny), (nx + ws - 2, ny), (px + hem, py + 20), (px - hem, py + 20)], fill))
    else:
        out.append(polygon([(nx - ws, ny), (nx + ws, ny), (px + wh, py), (px - wh, py)], fill))
    # arms
    if not side:
        out.append(_limb(far_arm, fill, 5))
        out.append(circle(*far_arm[-1], 3, SKIN))
    out.append(_limb(near_arm, fill, 5))
    out.append(circle(*near_arm[-1], 3, SKIN))
    # head
    out.append(circle(hx, hy, 10, SKIN))
    out.append(_hair_top(kind, hx, hy, side))
    out.append(_face(kind, hx, hy, side, mouth, eyes))
    if look.get("hat"):
        out.append(_hat(hx, hy))
    parts = [group(out, x, y, s * face, s)]
    if badge:
        bx, by = (3, -62) if side else (5, -62)
        parts.append(name_badge(x + bx * s * face, y + by * s, badge))
    return "".join(parts)


def hand(x, y, kind="man", pose="stand", face=1, scale=None):
    """Where a figure's near hand is, to put things into it."""
    s = scale or KINDS[kind]["scale"]
    hx, hy = POSES[pose]["arms"][1][-1]
    return x + hx * s * face, y + hy * s


def name_badge(x, y, initial):
    if len(initial) == 1:
        return circle(x, y, 8.5, WHITE, BLACK, 1.5) + text(x, y + 5, initial, 11)
    return circle(x, y, 9, WHITE, BLACK, 1.5) + text(x, y + 3.6, initial, 10, condensed=True)


def name_label(x, y, name, to=None):
    """A green label with a name, with a line to the person it names."""
    w = text_width(name, 11) + 8
    out = []
    if to:
        out.append(line(x + w / 2, y + 8, to[0], to[1], BLACK, 1))
    out.append(rect(x, y - 8, w, 17, GREEN, BLACK, 1, 2))
    out.append(text(x + w / 2, y + 4.5, name, 11, WHITE))
    return "".join(out)


# --- Signs, arrows, bubbles -------------------------------------------------

def sign(cx, cy, word, size=11):
    """A board with the place's name in capitals, centred on (cx, cy)."""
    w = text_width(word, size) + 10
    h = size + 6
    return rect(cx - w / 2, cy - h / 2, w, h, WHITE, BLACK, 1.5) + text(cx, cy + size * 0.37, word, size)


def upright_sign(cx, top, word, size=11):
    """A tall board with the letters one under the other."""
    step = size + 2
    h = step * len(word) + 6
    w = size + 8
    out = [rect(cx - w / 2, top, w, h, WHITE, BLACK, 1.5)]
    for i, c in enumerate(word):
        out.append(text(cx, top + 4 + step * (i + 1) - 2, c, size))
    return "".join(out)


def arrow(x1, y1, x2, y2, width=6, head=14):
    """A red arrow lying on the ground, pointing from (x1, y1) to (x2, y2)."""
    dx, dy = x2 - x1, y2 - y1
    n = math.hypot(dx, dy)
    ux, uy = dx / n, dy / n
    vx, vy = -uy, ux
    bx, by = x2 - ux * head, y2 - uy * head
    h, H = width / 2, width * 1.4
    pts = [(x1 + vx * h, y1 + vy * h), (bx + vx * h, by + vy * h), (bx + vx * H, by + vy * H), (x2, y2),
           (bx - vx * H, by - vy * H), (bx - vx * h, by - vy * h), (x1 - vx * h, y1 - vy * h)]
    return polygon(pts, RED, RED, 0.5)


def thought(cx, cy, rx, ry, to, colour=RED, content=""):
    """A bubble with a trail of small circles towards the thinker's head."""
    out = [ellipse(cx, cy, rx, ry, WHITE, colour, 2)]
    tx, ty = to
    sx, sy = cx + (tx - cx) * 0.55, cy + ry * 0.9
    for i, r in enumerate((4, 2.8, 1.8)):
        f = (i + 1) / 4
        out.append(circle(sx + (tx - sx) * f, sy + (ty - sy) * f, r, WHITE, colour, 1.5))
    return "".join(out) + content


def speech(x, y, w, h, to, words, colour=RED, size=14):
    """A speech bubble whose tail points at the speaker's mouth."""
    tx, ty = to
    cx, cy = x + w / 2, y + h / 2
    n = math.hypot(tx - cx, ty - cy)
    px, py = (cy - ty) / n * 7, (tx - cx) / n * 7
    tail = [(cx + px, cy + py), (tx, ty), (cx - px, cy - py)]
    # the tail's fill, laid over the bubble's edge, joins the two outlines
    out = [polygon(tail, WHITE, colour, 4), rect(x, y, w, h, WHITE, colour, 2, h / 2),
           polygon(tail, WHITE, "none", 0),
           text(x + w / 2, y + h / 2 + size * 0.36, words, size)]
    return "".join(out)


# --- Scenery and things -----------------------------------------------------

def ground(y=146, colour=GREY):
    return line(0, y, WIDTH, y, colour, 1.5)


def floor(y=150):
    return rect(-2, y, WIDTH + 4, HEIGHT - y + 2, SKIN, BLACK, 1)


def window(x, y, w, h, frame=BROWN):
    return (rect(x, y, w, h, BLUE, frame, 2) + line(x + w / 2, y, x + w / 2, y + h, frame, 1.5)
            + line(x, y + h / 2, x + w, y + h / 2, frame, 1.5))


def door(x, y, w, h, fill=BROWN):
    return rect(x, y, w, h, fill, BLACK, 1.2) + circle(x + w - 4, y + h / 2, 1.3, BLACK, BLACK, 0)


def building(x, ground_y, w, h, word, fill=WHITE, size=12, door_w=18, windows=True):
    """A house front with a sign over the door."""
    top = ground_y - h
    out = [rect(x, top, w, h, fill, BROWN, 2),
           rect(x - 3, top - 4, w + 6, 5, BROWN, BLACK, 1)]
    if windows:
        ww = 16
        for wx in (x + 8, x + w - 8 - ww):
            out.append(window(wx, ground_y - 40, ww, 18))
    out.append(door(x + (w - door_w) / 2, ground_y - 30, door_w, 30))
    out.append(sign(x + w / 2, top + 14, word, size))
    return "".join(out)


def columns_building(x, ground_y, w, h, word, size=11, n=4):
    """A front with columns and a pediment: a university or a bank."""
    top = ground_y - h
    out = [polygon([(x - 4, top + 12), (x + w / 2, top - 10), (x + w + 4, top + 12)], WHITE, BROWN, 2),
           rect(x - 4, top + 12, w + 8, 14, WHITE, BROWN, 2),
           rect(x - 6, ground_y - 4, w + 12, 4, GREY, BLACK, 1)]
    col_top, col_bot = top + 26, ground_y - 4
    step = w / n
    for i in range(n + 1):
        cx = x + i * step
        if i == n // 2 and n % 2 == 0:
            continue
        out.append(rect(cx - 3, col_top, 6, col_bot - col_top, WHITE, GREY, 1.5))
    out.append(door(x + w / 2 - 9, ground_y - 32, 18, 28))
    out.append(sign(x + w / 2, top + 19, word, size))
    return "".join(out)


def table(x, y, w, h=38, cloth=None):
    """A table standing on y, its top w wide."""
    out = [line(x + 4, y - h, x + 4, y, BROWN, 3), line(x + w - 4, y - h, x + w - 4, y, BROWN, 3)]
    if cloth:
        out.append(polygon([(x - 2, y - h - 2), (x + w + 2, y - h - 2), (x + w + 4, y - h + 12),
                            (x - 4, y - h + 12)], cloth))
    out.append(rect(x - 2, y - h - 3, w + 4, 4, BROWN, BLACK, 1))
    return "".join(out)


def chair(x, y, face=1, seat=23):
    """Side view of a chair whose seat front is at x, facing face."""
    bx = x - 16 * face
    return (line(bx, y - seat - 26, bx, y, BROWN, 3) + line(x, y - seat, x, y, BROWN, 3)
            + line(bx, y - seat, x + 2 * face, y - seat, BROWN, 4))


def armchair(x, y, face=1, fill=BROWN):
    bx = x - 22 * face
    pts = [(bx, y - 58), (bx + 8 * face, y - 58), (bx + 8 * face, y - 26), (x + 4 * face, y - 26),
           (x + 4 * face, y - 4), (bx, y - 4)]
    return (polygon(pts, fill, BLACK, 1.2) + rect(min(x - 2 * face, x + 8 * face) - 2, y - 34, 10, 4, fill)
            + line(bx + 3 * face, y - 4, bx + 3 * face, y, BLACK, 2) + line(x, y - 4, x, y, BLACK, 2))


def sofa(x, y, w, face=1):
    bx = x if face == 1 else x + w
    return (rect(x, y - 24, w, 20, BROWN, BLACK, 1.2) + rect(bx - (8 if face == 1 else 0), y - 52, 8, 48, BROWN)
            + line(x + 3, y - 4, x + 3, y, BLACK, 2) + line(x + w - 3, y - 4, x + w - 3, y, BLACK, 2))


def rocking_chair(x, y, face=1):
    bx = x - 20 * face
    return (path(f"M{bx - 14 * face},{y - 8} Q{x - 6 * face},{y + 4} {x + 14 * face},{y - 8}", "none", BROWN, 3)
            + line(bx - 4 * face, y - 2, bx - 16 * face, y - 62, BROWN, 3)
            + line(bx - 4 * face, y - 24, x + 4 * face, y - 24, BROWN, 4)
            + line(bx - 2 * face, y - 24, bx, y - 2, BROWN, 3) + line(x, y - 24, x + 2 * face, y - 2, BROWN, 3)
            + line(bx - 8 * face, y - 40, x - 2 * face, y - 36, BROWN, 2.5))


def car(x, y, w=84, face=1, body=GREY, glass=BLUE, taxi=False, inside="", belt=0.6):
    """Side view of a car standing on y, its left end at x; inside is drawn
    through the windows."""
    def X(u):
        return x + (u if face == 1 else 1 - u) * w
    h = w * 0.36

    def Y(f):
        return y - h * f
    outline = [(X(0), Y(0.25)), (X(0), Y(0.55)), (X(0.2), Y(0.6)), (X(0.32), Y(1)), (X(0.72), Y(1)),
               (X(0.84), Y(0.6)), (X(1), Y(0.5)), (X(1), Y(0.25))]
    windows = [[(X(0.36), Y(0.92)), (X(0.5), Y(0.92)), (X(0.5), Y(belt)), (X(0.27), Y(belt))],
               [(X(0.54), Y(0.92)), (X(0.7), Y(0.92)), (X(0.8), Y(belt)), (X(0.54), Y(belt))]]
    out = [polygon(outline, body, BLACK, 1.2)] + [polygon(pane, glass, BLACK, 1) for pane in windows]
    if inside:
        out.append(clipped(inside, "".join(polygon(pane) for pane in windows)))
        out += [polygon(pane, "none", BLACK, 1.5) for pane in windows]
    if taxi:
        out.append(rect(X(0.44) - w * 0.08, Y(1) - 7, w * 0.16, 7, SKIN, BLACK, 1))
        for i in range(6):
            out.append(rect(X(0.1 + i * 0.07) - w * 0.0175, Y(0.42), w * 0.035, w * 0.035, BLACK, BLACK, 0))
    r = w * 0.09
    for u in (0.2, 0.8):
        out.append(circle(X(u), y - r, r, BLACK, BLACK, 1))
        out.append(circle(X(u), y - r, r * 0.45, GREY, BLACK, 0))
    out.append(circle(X(0.98), Y(0.42), 2, SKIN, BLACK, 0.8))
    return "".join(out)


def television(x, y):
    """A set on a low cabinet, screen facing left, bottom at y."""
    return (rect(x, y - 22, 44, 22, BROWN, BLACK, 1.2)
            + rect(x + 2, y - 56, 40, 32, GREY, BLACK, 1.5, 3) + rect(x + 6, y - 52, 28, 24, BLUE, BLACK, 1, 3)
            + circle(x + 38, y - 46, 1.8, BLACK, BLACK, 0) + circle(x + 38, y - 38, 1.8, BLACK, BLACK, 0)
            + line(x + 22, y - 56, x + 12, y - 70) + line(x + 22, y - 56, x + 32, y - 70))


def music(x, y, n=3):
    out = []
    for i in range(n):
        out.append(text(x + i * 11, y - (i % 2) * 8, "\u266a" if i % 2 else "\u266b", 13, BLACK, bold=False))
    return "".join(out)


def radio(x, y):
    """A radio standing on y, its left end at x, with notes coming out."""
    return (rect(x, y - 22, 36, 22, BROWN, BLACK, 1.2, 3) + circle(x + 11, y - 11, 7, GREY)
            + rect(x + 22, y - 17, 10, 5, SKIN, BLACK, 0.8) + circle(x + 27, y - 6, 2.5, BLACK, BLACK, 0)
            + line(x + 28, y - 22, x + 40, y - 38) + music(x + 2, y - 28))


def washing_machine(x, y):
    return (rect(x, y - 46, 38, 46, WHITE, BLACK, 1.5, 2) + rect(x, y - 46, 38, 9, GREY, BLACK, 1.2)
            + circle(x + 28, y - 41.5, 2, WHITE, BLACK, 0.8) + circle(x + 19, y - 19, 12, GREY)
            + circle(x + 19, y - 19, 8.5, BLUE))


def stove(x, y, pot=True):
    out = [rect(x, y - 44, 40, 44, GREY, BLACK, 1.5), rect(x + 5, y - 32, 30, 22, WHITE, BLACK, 1.2),
           line(x + 9, y - 28, x + 31, y - 28, BLACK, 2), rect(x - 2, y - 46, 44, 3, BLACK, BLACK, 0)]
    if pot:
        out += [rect(x + 6, y - 60, 26, 14, BLUE, BLACK, 1.2), rect(x + 3, y - 62, 32, 3, BLUE, BLACK, 1),
                path(f"M{x + 12},{y - 66} q-4,-5 0,-10 q4,-5 0,-10", "none", GREY, 1.5),
                path(f"M{x + 24},{y - 66} q-4,-5 0,-10 q4,-5 0,-10", "none", GREY, 1.5)]
    return "".join(out)


def blackboard(x, y, w, h, words=None, size=12):
    out = [rect(x, y, w, h, BLACK, BROWN, 3)]
    if words:
        out.append(text(x + w / 2, y + h / 2 + size * 0.36, words, size, WHITE))
    else:
        out.append(path(f"M{x + 6},{y + h * 0.35} l{w * 0.25},0 M{x + 6},{y + h * 0.55} l{w * 0.45},0 "
                        f"M{x + 6},{y + h * 0.75} l{w * 0.35},0", "none", WHITE, 1.5))
    out.append(line(x + 4, y + h + 2, x + w - 4, y + h + 2, BROWN, 2))
    return "".join(out)


def bookshelf(x, y, w, h, rows=3):
    colours = [BLUE, BROWN, SKIN, GREY, BLUE, SKIN, BROWN, GREY, BLUE]
    out = [rect(x, y - h, w, h, WHITE, BROWN, 2.5)]
    step = h / rows
    for r in range(rows):
        base = y - h + step * (r + 1)
        out.append(line(x, base, x + w, base, BROWN, 2.5))
        bx = x + 3
        i = r * 2
        while bx < x + w - 7:
            bw = 4 + (i % 3)
            bh = step - 5 - (i % 2) * 3
            out.append(rect(bx, base - bh - 1.5, bw, bh, colours[i % len(colours)], BLACK, 0.7))
            bx += bw + 1
            i += 1
    return "".join(out)


def book(x, y, w=18):
    """An open book lying on a table at (x, y)."""
    return polygon([(x, y), (x + w / 2, y - 2), (x + w, y), (x + w, y - 3), (x + w / 2, y - 5), (x, y - 3)],
                   WHITE, BLACK, 1)


def newspaper(x, y, w=18, h=22):
    """A newspaper held open, its near edge at x."""
    out = [rect(x, y, w, h, WHITE, BLACK, 1.2)]
    for i in range(4):
        out.append(line(x + 3, y + 5 + i * 4.5, x + w - 3, y + 5 + i * 4.5, GREY, 1.5))
    return "".join(out)


def suitcase(x, y, w=20, h=15):
    return (rect(x + w / 2 - 4, y - h - 4, 8, 5, "none", BLACK, 1.5) + rect(x, y - h, w, h, BROWN, BLACK, 1.2, 2)
            + line(x + 4, y - h, x + 4, y, BLACK, 1) + line(x + w - 4, y - h, x + w - 4, y, BLACK, 1))


def doctor_bag(x, y):
    return (path(f"M{x + 6},{y - 14} q0,-6 6,-6 l4,0 q6,0 6,6", "none", BLACK, 2)
            + rect(x, y - 15, 28, 15, BLACK, BLACK, 1, 3) + rect(x + 8, y - 13, 12, 11, WHITE, WHITE, 0)
            + rect(x + 12.5, y - 12, 3, 9, RED, RED, 0) + rect(x + 9.5, y - 9, 9, 3, RED, RED, 0))


def banknote(x, y, value="1000"):
    return rect(x, y, 30, 13, SKIN, BLACK, 1) + text(x + 15, y + 10, value, 9)


def envelope(x, y):
    return rect(x, y, 16, 11, WHITE, BLACK, 1) + polyline([(x, y), (x + 8, y + 6), (x + 16, y)], BLACK, 1)


def hat(x, y, fill=BROWN, s=1.0):
    """A brimmed hat, brim centred on (x, y)."""
    return group([ellipse(0, 0, 14, 3.5, fill), path("M-8,0 L-7,-12 Q0,-15 7,-12 L8,0 Z", fill),
                  line(-7.5, -3, 7.5, -3, BLACK, 2)], x, y, s)


def tree(x, y, h=70):
    return (rect(x - 4, y - h * 0.45, 8, h * 0.45, BROWN, BLACK, 1)
            + path(f"M{x - 20},{y - h * 0.45} q-8,-16 6,-26 q2,-16 16,-12 q14,-6 16,10 q12,14 -4,28 Z",
                   WHITE, BLACK, 1.5))


def flower(x, y, colour):
    return line(x, y, x, y - 10, BLACK, 1) + circle(x, y - 12, 3, colour, BLACK, 0.8)


def fence(x1, x2, y):
    out = [line(x1, y - 14, x2, y - 14, BROWN, 2)]
    for fx in range(int(x1), int(x2) + 1, 10):
        out.append(polygon([(fx - 3, y), (fx - 3, y - 20), (fx, y - 24), (fx + 3, y - 20), (fx + 3, y)], WHITE, BROWN, 1.2))
    return "".join(out)


def lamp_post(x, y):
    return (line(x, y, x, y - 90, BLACK, 2.5) + line(x, y - 90, x + 10, y - 90, BLACK, 2)
            + polygon([(x + 6, y - 90), (x + 14, y - 90), (x + 16, y - 84), (x + 4, y - 84)], SKIN, BLACK, 1))


def clock(cx, cy, r=9):
    return (circle(cx, cy, r, WHITE, BLACK, 1.5) + line(cx, cy, cx, cy - r * 0.7, BLACK, 1.5)
            + line(cx, cy, cx + r * 0.5, cy + r * 0.2, BLACK, 1.5))


def scales(x, y):
    """A balance on a counter top at y."""
    return (line(x, y, x, y - 20, BLACK, 2) + line(x - 16, y - 20, x + 16, y - 20, BLACK, 2)
            + path(f"M{x - 24},{y - 10} L{x - 8},{y - 10} L{x - 11},{y - 6} L{x - 21},{y - 6} Z", GREY)
            + path(f"M{x + 8},{y - 10} L{x + 24},{y - 10} L{x + 21},{y - 6} L{x + 11},{y - 6} Z", GREY)
            + line(x - 16, y - 20, x - 20, y - 10, BLACK, 0.8) + line(x - 16, y - 20, x - 12, y - 10, BLACK, 0.8)
            + line(x + 16, y - 20, x + 12, y - 10, BLACK, 0.8) + line(x + 16, y - 20, x + 20, y - 10, BLACK, 0.8)
            + rect(x - 6, y - 3, 12, 3, GREY, BLACK, 0.8))


def fruit_pile(x, y, colour, n=4):
    out = []
    for i in range(n):
        out.append(circle(x + 5 + i * 8, y - 4, 4, colour, BLACK, 0.8))
    for i in range(n - 1):
        out.append(circle(x + 9 + i * 8, y - 10, 4, colour, BLACK, 0.8))
    return "".join(out)


def typewriter(x, y):
    return (rect(x + 6, y - 24, 16, 14, WHITE, BLACK, 1) + line(x + 9, y - 20, x + 19, y - 20, GREY, 1)
            + line(x + 9, y - 16, x + 19, y - 16, GREY, 1)
            + polygon([(x, y), (x + 28, y), (x + 26, y - 10), (x + 2, y - 10)], GREY, BLACK, 1.2)
            + line(x + 4, y - 4, x + 24, y - 4, BLACK, 1.5))


def tripod(x, y):
    """A surveyor's instrument on three legs, feet on y."""
    return (line(x, y - 46, x - 14, y, BROWN, 2.5) + line(x, y - 46, x + 14, y, BROWN, 2.5)
            + line(x, y - 46, x + 2, y, BROWN, 2.5) + rect(x - 9, y - 50, 18, 5, GREY, BLACK, 1)
            + rect(x - 6, y - 62, 12, 12, GREY, BLACK, 1.2) + rect(x - 14, y - 60, 24, 6, GREY, BLACK, 1, 2)
            + circle(x - 14, y - 57, 2.5, BLUE, BLACK, 0.8))


def plate(x, y):
    return ellipse(x, y, 9, 2.2, WHITE, BLACK, 1) + rect(x + 10, y - 10, 4, 9, BLUE, BLACK, 0.8)


def tiles(x1, y1, x2, y2, step=14):
    out = [rect(x1, y1, x2 - x1, y2 - y1, WHITE, GREY, 1)]
    for tx in range(int(x1) + step, int(x2), step):
        out.append(line(tx + 0.5, y1, tx + 0.5, y2, GREY, 1))
    for ty in range(int(y1) + step, int(y2), step):
        out.append(line(x1, ty + 0.5, x2, ty + 0.5, GREY, 1))
    return "".join(out)


def station(x, ground_y, w=120, h=92):
    """A station hall with a clock and arched windows."""
    top = ground_y - h
    out = [rect(x, top + 20, w, h - 20, WHITE, BROWN, 2),
           path(f"M{x - 4},{top + 22} Q{x + w / 2},{top - 12} {x + w + 4},{top + 22} Z", WHITE, BROWN, 2),
           clock(x + w / 2, top + 10, 9)]
    for i in range(3):
        ax = x + 12 + i * (w - 24) / 3 + 4
        aw = (w - 24) / 3 - 8
        out.append(path(f"M{ax},{ground_y} L{ax},{top + 48} A{aw / 2},{aw / 2} 0 0 1 {ax + aw},{top + 48} "
                        f"L{ax + aw},{ground_y} Z", BLUE, BROWN, 2))
    return "".join(out)


def train(x, ground_y, w=70):
    out = [rect(x, ground_y - 34, w, 30, GREY, BLACK, 1.2, 3)]
    for i in range(3):
        out.append(rect(x + 6 + i * (w - 12) / 3, ground_y - 29, (w - 12) / 3 - 5, 10, BLUE, BLACK, 1))
    for u in (x + 12, x + w - 12):
        out.append(circle(u, ground_y - 4, 4, BLACK, BLACK, 0))
    out.append(line(x - 10, ground_y, x + w + 10, ground_y, BLACK, 2))
    return "".join(out)


def spot_lamp(x, y):
    return (line(x, 0, x, y - 6, BLACK, 1.5) + polygon([(x - 7, y), (x + 7, y), (x + 4, y - 7), (x - 4, y - 7)],
                                                     SKIN, BLACK, 1))


# --- The scenes ---------------------------------------------------------------
# What each scene shows is also written out in words, for screen readers, in
# lesson/pictures.cpp; a changed scene needs its line there changed.

SCENES = []


def scene(fn):
    SCENES.append(fn)
    return fn


@scene
def s00():   # two girls walk along a red arrow towards a cinema
    return [ground(140), building(130, 140, 104, 100, "MOZI", size=16, windows=False),
            rect(140, 86, 22, 28, SKIN, BLACK, 1), rect(202, 86, 22, 28, SKIN, BLACK, 1),
            text(151, 104, "\u2605", 14, BROWN, bold=False), text(213, 104, "\u2605", 14, BROWN, bold=False),
            arrow(8, 162, 174, 146, 7),
            figure(52, 160, "girl", "walk"), figure(92, 156, "girl", "walk")]


@scene
def s01():   # two young men stand talking in front of the university
    return [ground(134), columns_building(20, 134, 200, 96, "EGYETEM", 13, 6),
            figure(72, 162, "youth", "say", mouth="open"), figure(132, 162, "youth", "luggage", face=-1)]


@scene
def s02():   # two doctors sit reading newspapers, their bags by them
    y = 156
    return [floor(152),
            rect(22, y - 27, 180, 6, BROWN, BLACK, 1), line(30, y - 21, 30, y, BROWN, 3),
            line(194, y - 21, 194, y, BROWN, 3),
            figure(50, y, "man", "read"), newspaper(*hand(50, y, "man", "read"), 20, 26),
            figure(128, y, "man", "read"), newspaper(*hand(128, y, "man", "read"), 20, 26),
            doctor_bag(14, 168), doctor_bag(204, 168)]


@scene
def s03():   # Szabó J. at a car-rental booth, a car behind him
    booth = figure(192, 118, "man", "stand", fill=GREY, scale=0.5)
    return [ground(140),
            car(8, 146, 104),
            rect(150, 62, 84, 78, WHITE, BROWN, 2), rect(160, 70, 64, 24, BLUE, BLACK, 1),
            clipped(booth, '<rect x="160" y="70" width="64" height="24"/>'),
            rect(150, 96, 84, 8, BROWN, BLACK, 1),
            sign(192, 52, "RENT A CAR", 11),
            figure(130, 160, "man", "reach"),
            name_label(84, 16, "SZABÓ J.", (132, 86))]


@scene
def s04():   # Kis J. at the hotel reception
    pigeonholes = [rect(150 + (i % 4) * 14.5, 20 + (i // 4) * 17, 14.5, 17, WHITE, BROWN, 2) for i in range(8)]
    keys = [rect(154 + (i % 4) * 14.5, 27 + (i // 4) * 17, 6, 8, SKIN, BLACK, 1) for i in (0, 2, 3, 5, 6)]
    return [floor(150), upright_sign(20, 12, "SZÁLLODA", 13)] + pigeonholes + keys + [
            figure(180, 120, "woman", "stand", fill=GREY, face=-1),
            rect(130, 104, 104, 46, BROWN, BLACK, 1.2), rect(126, 100, 112, 5, BROWN, BLACK, 1),
            circle(150, 96, 4, GREY), line(150, 92, 150, 90),
            figure(106, 158, "man", "reach"), suitcase(62, 160),
            name_label(48, 40, "Kis J.", (104, 78))]


@scene
def s05():   # Éva cooks at the stove
    return [floor(150), window(24, 24, 44, 38),
            rect(150, 20, 70, 30, WHITE, BROWN, 2), line(185, 20, 185, 50, BROWN, 1.5),
            circle(180, 35, 1.5, BLACK, BLACK, 0), circle(190, 35, 1.5, BLACK, BLACK, 0),
            stove(150, 152), figure(122, 156, "woman", "stir", badge="É"),
            line(*hand(122, 156, "woman", "stir"), 166, 100, BLACK, 2)]


@scene
def s06():   # Anna hands a 1000 note through the cashier's window
    cashier = figure(62, 128, "man", "stand", fill=GREY, scale=0.55)
    hx, hy = hand(122, 156, "woman", "reach", face=-1)
    return [floor(150), rect(-2, 20, 144, 130, SKIN, BROWN, 2), rect(24, 58, 78, 50, BLUE, BLACK, 1.5),
            clipped(cashier, '<rect x="24" y="58" width="78" height="50"/>'),
            rect(18, 106, 90, 6, BROWN, BLACK, 1), rect(24, 58, 78, 50, "none", BROWN, 3),
            sign(63, 40, "PÉNZTÁR", 12),
            figure(122, 156, "woman", "reach", face=-1, badge="A"), banknote(hx - 24, hy - 9)]


@scene
def s07():   # Péter in a hat shop asks for a hat
    out = [floor(150), rect(8, 30, 110, 60, WHITE, BROWN, 2)]
    for i in range(3):
        out.append(line(8, 48 + i * 20, 118, 48 + i * 20, BROWN, 2.5))
        for j in range(4):
            out.append(hat(24 + j * 26, 48 + i * 20, [BROWN, GREY, BLUE, SKIN][(i + j) % 4], 0.65))
    out += [figure(62, 150, "man", "stand", fill=GREY, scale=0.6),
            rect(16, 112, 90, 38, BROWN, BLACK, 1.2),
            figure(150, 158, "man", "talk", face=-1, badge="P", mouth="open"),
            thought(194, 36, 32, 24, (164, 78), RED, hat(194, 44, BROWN, 1.3))]
    return out


@scene
def s08():   # Anna at the washing machine in the bathroom
    return [tiles(0, 0, 240, 150), floor(150),
            path("M150,108 L232,108 L228,146 Q228,150 222,150 L160,150 Q154,150 154,146 Z", WHITE, BLACK, 1.5),
            line(214, 108, 214, 84, GREY, 2.5), line(214, 84, 202, 84, GREY, 2.5),
            rect(36, 20, 40, 36, BLUE, GREY, 3),
            washing_machine(40, 152), figure(104, 156, "woman", "reach", face=-1, badge="A")]


@scene
def s09():   # Albert with his luggage outside the station thinks of a taxi
    return [ground(146), train(-20, 146, 80), station(34, 146, 118, 92),
            figure(186, 160, "man", "luggage", face=-1, badge="A"), suitcase(194, 162), suitcase(160, 162),
            thought(196, 28, 40, 24, (184, 80), RED, car(168, 44, 56, taxi=True))]


@scene
def s10():   # Péter sits watching television
    return [floor(150), window(20, 20, 40, 36), armchair(96, 154), figure(90, 152, "man", "sit", badge="P"),
            television(168, 152)]


@scene
def s11():   # Kati walks along a red arrow into the bank
    return [ground(140), columns_building(128, 140, 96, 96, "BANK", 14, 4),
            arrow(10, 162, 168, 146, 7), figure(80, 156, "woman", "walk", badge="K")]


@scene
def s12():   # Péter sits in a car
    x, y, s = 140, 170, 0.95
    driver = figure(x, y, "man", "drive", scale=s) + line(x + 26, y - 70, x + 32, y - 40, BLACK, 3)
    return [ground(124), tree(40, 124, 110), tree(200, 124, 100), lamp_post(120, 124),
            rect(-2, 146, WIDTH + 4, 26, GREY, BLACK, 0), car(5, 160, 230, glass=WHITE, inside=driver, belt=0.42),
            name_badge(x + 3 * s, y - 62 * s, "P")]


@scene
def s13():   # János reads at a library table
    return [floor(150), bookshelf(8, 130, 78, 100), bookshelf(162, 130, 70, 100), sign(124, 20, "KÖNYVTÁR", 12),
            chair(96, 156), figure(92, 156, "man", "read", badge="J"), table(112, 156, 60),
            book(*hand(92, 156, "man", "read"), 18)]


@scene
def s14():   # János carries a letter along a red arrow into the post office
    return [ground(140), building(128, 140, 104, 96, "POSTA", size=14),
            rect(193, 114, 12, 16, RED, BLACK, 1), line(195.5, 119, 202.5, 119, BLACK, 1.5),
            arrow(8, 162, 172, 146, 7), figure(78, 156, "man", "carry", badge="J"),
            envelope(*[v + d for v, d in zip(hand(78, 156, "man", "carry"), (-2, -8))])]


@scene
def s15():   # Sándor waits in a square
    return [ground(136), rect(0, 136, 240, 34, SKIN, BLACK, 0),
            tree(36, 136, 90), tree(206, 136, 80), lamp_post(160, 150),
            line(80, 150, 80, 64, BLACK, 2.5), clock(80, 58, 10), sign(80, 88, "TÉR", 12),
            figure(124, 160, "man", "watch", badge="S")]


@scene
def s16():   # the teacher rests in a rocking chair, thinking of the blackboard
    return [floor(150), rocking_chair(86, 150), figure(84, 148, "teacher", "recline", eyes="closed"),
            thought(178, 42, 50, 34, (104, 80), BLACK, blackboard(146, 24, 64, 36))]


@scene
def s17():   # Kati buys fruit at a stall with scales
    out = [ground(150), line(20, 150, 20, 30, BROWN, 3), line(150, 150, 150, 30, BROWN, 3)]
    for i in range(7):
        out.append(polygon([(12 + i * 20, 26), (32 + i * 20, 26), (32 + i * 20, 40), (22 + i * 20, 44),
                            (12 + i * 20, 40)], BROWN if i % 2 == 0 else WHITE, BLACK, 1))
    out += [figure(60, 148, "man", "stand", fill=GREY, scale=0.55),
            rect(14, 106, 142, 44, BROWN, BLACK, 1.2),
            fruit_pile(18, 106, RED, 4), fruit_pile(56, 106, BLUE, 3), fruit_pile(86, 106, SKIN, 3),
            scales(132, 106), figure(178, 158, "woman", "reach", face=-1, badge="K")]
    return out


@scene
def s18():   # Mária types in the office
    return [floor(150), door(16, 50, 40, 100, WHITE), sign(36, 36, "IRODA", 12),
            rect(196, 60, 36, 90, GREY, BLACK, 1.2), line(196, 90, 232, 90), line(196, 120, 232, 120),
            circle(214, 75, 2, BLACK, BLACK, 0), circle(214, 105, 2, BLACK, BLACK, 0),
            circle(214, 135, 2, BLACK, BLACK, 0),
            chair(104, 156), figure(100, 156, "woman", "type", badge="M"),
            table(114, 156, 70), typewriter(118, 115)]


@scene
def s19():   # Zsuzsa says "Oh, yes."
    return [floor(150), window(16, 24, 48, 40),
            figure(84, 156, "woman", "talk", badge="Zs", scale=0.95, mouth="open"),
            speech(112, 14, 118, 44, (92, 74), "Oh, yes.", RED, 17)]


@scene
def s20():   # the teacher listens to the radio, the blackboard behind her
    return [floor(150), blackboard(20, 16, 110, 50, "5. lecke", 18),
            armchair(66, 154), figure(60, 152, "teacher", "sit"),
            table(150, 154, 56, 34), radio(158, 117)]


@scene
def s21():   # Péter dances among others in the club
    return [floor(150), sign(120, 18, "KLUB", 14), spot_lamp(40, 30), spot_lamp(200, 30),
            figure(36, 152, "woman", "dance2", fill=GREY), figure(204, 152, "woman", "dance", fill=GREY),
            figure(158, 150, "man", "dance2", fill=GREY, scale=0.64),
            figure(108, 160, "man", "dance", badge="P"), music(150, 62)]


@scene
def s22():   # two teachers listen to the radio in front of the blackboard
    return [floor(150), blackboard(70, 14, 110, 48, "5. lecke", 18),
            chair(50, 154), figure(46, 154, "teacher", "sit"),
            table(88, 154, 56, 34), radio(98, 117),
            chair(190, 154, -1), figure(194, 154, "teacher", "sit", face=-1)]


@scene
def s23():   # two girls walk in the garden
    return [ground(130), fence(0, 240, 130),
            polygon([(84, 170), (156, 170), (130, 130), (110, 130)], SKIN, BLACK, 0),
            tree(30, 132, 100), tree(206, 132, 90),
            flower(60, 150, BLUE), flower(68, 160, RED), flower(176, 150, BLUE), flower(186, 160, SKIN),
            flower(20, 160, SKIN), flower(220, 162, RED),
            figure(96, 158, "girl", "walk"), figure(130, 158, "girl", "walk")]


@scene
def s24():   # two women at the washing machine
    hx, hy = hand(172, 156, "woman", "reach", face=-1)
    return [tiles(0, 0, 240, 150), floor(150), washing_machine(100, 152),
            figure(76, 156, "woman", "reach"), figure(172, 156, "woman", "reach", face=-1),
            path(f"M{hx - 14},{hy - 6} L{hx + 10},{hy - 6} L{hx + 6},{hy + 12} L{hx - 10},{hy + 12} Z", BROWN),
            circle(hx - 6, hy - 8, 4, BLUE, BLACK, 0.8), circle(hx + 2, hy - 8, 4, SKIN, BLACK, 0.8)]


@scene
def s25():   # two young men sit watching television
    return [floor(150), window(12, 16, 40, 34), sofa(20, 154, 110),
            figure(56, 152, "youth", "sit"), figure(100, 152, "youth", "sit"), television(176, 152)]


@scene
def s26():   # two women cook in the kitchen
    return [floor(150), window(96, 18, 44, 36), stove(170, 152),
            figure(140, 156, "woman", "stir"), line(*hand(140, 156, "woman", "stir"), 188, 100, BLACK, 2),
            table(10, 152, 64, 44), figure(96, 156, "woman", "reach", face=-1),
            rect(20, 104, 30, 4, BROWN, BLACK, 1), circle(58, 101, 5, RED, BLACK, 0.8)]


@scene
def s27():   # two men with luggage outside the station think of a taxi
    return [ground(146), train(-20, 146, 70), station(24, 146, 110, 92),
            figure(166, 160, "man", "luggage", face=-1), figure(204, 160, "man", "luggage", face=-1),
            suitcase(174, 162), suitcase(212, 162), suitcase(138, 162),
            thought(190, 28, 44, 24, (170, 78), RED, car(162, 44, 56, taxi=True))]


@scene
def s28():   # two students read at a library table
    return [floor(150), bookshelf(6, 120, 60, 90), bookshelf(176, 120, 58, 90), sign(120, 20, "KÖNYVTÁR", 12),
            table(92, 156, 56),
            chair(80, 156), figure(76, 156, "youth", "read"), book(*hand(76, 156, "youth", "read"), 16),
            chair(160, 156, -1), figure(164, 156, "girl", "read", face=-1, scale=0.66),
            book(hand(164, 156, "girl", "read", face=-1, scale=0.66)[0] - 16,
                 hand(164, 156, "girl", "read", face=-1, scale=0.66)[1], 16)]


@scene
def s29():   # two older men walk along a red arrow towards the university
    out = [ground(130), columns_building(128, 130, 104, 90, "EGYETEM", 11, 4), arrow(6, 162, 170, 140, 7)]
    for x, y in ((44, 160), (92, 154)):
        hx, hy = hand(x, y, "old", "walk")
        out += [figure(x, y, "old", "walk"), line(hx, hy, hx + 4, y, BROWN, 2)]
    return out


@scene
def s30():   # girls and boys dance in the club
    return [floor(150), sign(120, 18, "KLUB", 14), spot_lamp(30, 30), spot_lamp(210, 30), music(104, 60),
            figure(34, 158, "girl", "dance"), figure(82, 156, "boy", "dance2"),
            figure(152, 156, "girl", "dance2"), figure(202, 158, "boy", "dance")]


@scene
def s31():   # two engineers sit at a restaurant table, a surveyor's tripod beside them
    return [floor(150), sign(100, 20, "ÉTTEREM", 12), window(70, 36, 60, 36),
            chair(60, 156), figure(56, 156, "man", "sit"),
            chair(142, 156, -1), figure(146, 156, "man", "sit", face=-1),
            table(76, 156, 50, 40, WHITE), plate(90, 113), plate(110, 113),
            tripod(206, 156)]


# --- Rendering ----------------------------------------------------------------

def svg(k):
    body = "".join(SCENES[k]())
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}" '
            f'viewBox="0 0 {WIDTH} {HEIGHT}">'
            f'<rect width="{WIDTH}" height="{HEIGHT}" fill="{WHITE}"/>{body}</svg>\n')


def _rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


RGB = [_rgb(c) for c in PALETTE]


def _between(a, b, c):
    """True if palette colour c lies on the segment from a to b."""
    ab = [y - x for x, y in zip(a, b)]
    ac = [y - x for x, y in zip(a, c)]
    n = sum(v * v for v in ab)
    t = sum(u * v for u, v in zip(ab, ac)) / n
    return 0 < t < 1 and sum((u - t * v) ** 2 for u, v in zip(ac, ab)) < 400


# Edge pixels are blends of two palette colours; mapping each to the nearer end
# of its blend keeps outlines clean where a plain nearest-colour map would
# fringe black lines with brown or skin.
SEGMENTS = [(i, j) for i in range(len(RGB)) for j in range(i + 1, len(RGB))
            if not any(_between(RGB[i], RGB[j], RGB[m]) for m in range(len(RGB)) if m not in (i, j))]


def _cut(a, b):
    """How much of b a blend needs to become b: thin black lines stay unbroken
    when black wins a little early."""
    black = _rgb(BLACK)
    return 0.38 if b == black else 0.62 if a == black else 0.5


def _snap(pixel, cache={}):
    if pixel in cache:
        return cache[pixel]
    best = None
    for i, j in SEGMENTS:
        a, b = RGB[i], RGB[j]
        ab = [y - x for x, y in zip(a, b)]
        ap = [y - x for x, y in zip(a, pixel)]
        t = max(0.0, min(1.0, sum(u * v for u, v in zip(ab, ap)) / sum(v * v for v in ab)))
        err = sum((u - t * v) ** 2 for u, v in zip(ap, ab))
        if best is None or err < best[0]:
            best = (err, j if t >= _cut(a, b) else i)
    cache[pixel] = RGB[best[1]]
    return cache[pixel]


def _read_ppm(data):
    parts = data.split(maxsplit=4)
    assert parts[0] == b"P6" and parts[3] == b"255"
    return int(parts[1]), int(parts[2]), parts[4]


def _snap_ppm(data):
    w, h, raw = _read_ppm(data)
    out = bytearray()
    for i in range(0, w * h * 3, 3):
        out.extend(_snap(tuple(raw[i:i + 3])))
    return b"P6\n%d %d\n255\n" % (w, h) + bytes(out)


def _magick():
    for name in ("magick", "convert"):
        if shutil.which(name):
            return [name]
    sys.exit("ImageMagick is needed (apt-get install imagemagick)")


def render(k, work, svg_dir=None):
    src = (svg_dir or work) / f"pic{k:02d}.svg"
    src.write_text(svg(k), encoding="utf-8")
    png = work / f"pic{k:02d}.png"
    subprocess.run(["rsvg-convert", "-w", str(WIDTH), "-h", str(HEIGHT), "-o", str(png), str(src)], check=True)
    ppm = subprocess.run(_magick() + [str(png), "-depth", "8", "ppm:-"], check=True,
                         capture_output=True).stdout
    snapped = work / f"pic{k:02d}.ppm"
    snapped.write_bytes(_snap_ppm(ppm))
    gif = OUT / f"pic{k:02d}.gif"
    subprocess.run(_magick() + [str(snapped), "+dither", "-remap", str(work / "palette.ppm"), "-strip",
                                f"GIF:{gif}"], check=True)
    return gif


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--sheet", type=pathlib.Path, help="also write a contact sheet of all pictures here")
    parser.add_argument("--svg", type=pathlib.Path, help="keep the SVG sources in this directory")
    parser.add_argument("--only", type=int, nargs="*", help="draw only these pictures")
    args = parser.parse_args()
    if not shutil.which("rsvg-convert"):
        sys.exit("rsvg-convert is needed (apt-get install librsvg2-bin)")
    OUT.mkdir(parents=True, exist_ok=True)
    if args.svg:
        args.svg.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        work = pathlib.Path(tmp)
        (work / "palette.ppm").write_bytes(b"P6\n8 1\n255\n" + bytes(v for c in RGB for v in c))
        gifs = [render(k, work, args.svg) for k in (args.only or range(len(SCENES)))]
        for gif in gifs:
            print(f"{gif.relative_to(ROOT)}  {gif.stat().st_size} bytes")
        if args.sheet:
            labelled = []
            for gif in gifs:
                labelled += ["-label", gif.stem[3:], str(gif)]
            subprocess.run(["montage"] + labelled + ["-tile", "4x", "-geometry", "+6+6", "-pointsize", "14",
                                                      str(args.sheet)], check=True)


if __name__ == "__main__":
    main()
