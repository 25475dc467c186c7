#!/usr/bin/python3
"""Draws the window's icons into resources/icons, one SVG document per icon.

The icons are one family: round-capped lines about 8 % of the icon's height
thick, rounded corners, idle states in greys and active states in the accent
yellow (or a light grey), each on/off pair drawn from the same geometry so that
a button never changes size between its states.

JUCE fits a button's image to the bounds of what the drawing contains, not to
its view box, so every icon carries an invisible frame: the box that is fitted.
Pairs share the frame, and icons shown in buttons of the same kind share its
proportions.

The wordmark of the logo is set in the embedded typeface (resources/fonts),
turned into outlines so that the SVG needs no font.

Usage: tools/draw_icons.py [output-dir]   (default: resources/icons)
"""
import math
import pathlib
import sys

from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTFont

ROOT = pathlib.Path(__file__).resolve().parent.parent

YELLOW = "#ffbe00"
LIGHT = "#eeeeee"
PANEL = "#22272b"

ICONS = {}


def icon(name, width, height, body, frame=None):
    fx, fy, fw, fh = frame if frame else (0, 0, width, height)
    ICONS[name] = (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width:g}" height="{height:g}" '
        f'viewBox="0 0 {width:g} {height:g}">\n'
        f'  <rect x="{fx:g}" y="{fy:g}" width="{fw:g}" height="{fh:g}" fill="none"/>\n'
        f'{body}</svg>\n')


def line_style(colour, width):
    return (f'fill="none" stroke="{colour}" stroke-width="{width:g}" '
            f'stroke-linecap="round" stroke-linejoin="round"')


def path(d, colour, width):
    return f'  <path d="{d}" {line_style(colour, width)}/>\n'


def fill(d, colour):
    return f'  <path d="{d}" fill="{colour}"/>\n'


def circle(cx, cy, r, colour):
    return f'  <circle cx="{cx:g}" cy="{cy:g}" r="{r:g}" fill="{colour}"/>\n'


def group(transform, body):
    return f'  <g transform="{transform}">\n{body}  </g>\n'


def pair(off_name, off_colour, on_name, on_colour, width, height, draw, frame=None):
    icon(off_name, width, height, draw(off_colour), frame)
    icon(on_name, width, height, draw(on_colour), frame)


def f(x):
    return f"{x:.2f}".rstrip("0").rstrip(".")


# ---------------------------------------------------------------- shared glyphs

def reset_arrow(cx, cy, r, colour, width):
    """A circular arrow: three quarters of a turn anticlockwise, open on the
    right, with its head at the lower end pointing on round the circle."""
    start, end = math.radians(-45), math.radians(45)
    x0, y0 = cx + r * math.cos(start), cy + r * math.sin(start)
    x1, y1 = cx + r * math.cos(end), cy + r * math.sin(end)
    arc = f"M{f(x0)} {f(y0)} A{f(r)} {f(r)} 0 1 0 {f(x1)} {f(y1)}"
    # Direction of travel at the end (anticlockwise on screen) and the outward normal.
    vx, vy = math.sin(end), -math.cos(end)
    nx, ny = math.cos(end), math.sin(end)
    head = r * 0.62
    tip = (x1 + vx * head * 0.35, y1 + vy * head * 0.35)
    arm_a = (tip[0] - vx * head + nx * head * 0.62, tip[1] - vy * head + ny * head * 0.62)
    arm_b = (tip[0] - vx * head - nx * head * 0.62, tip[1] - vy * head - ny * head * 0.62)
    heads = f"M{f(arm_a[0])} {f(arm_a[1])} L{f(tip[0])} {f(tip[1])} L{f(arm_b[0])} {f(arm_b[1])}"
    return path(arc, colour, width) + path(heads, colour, width)


def padlock(x, y, w, h, colour, width):
    """A padlock whose body is (x, y + h * 0.42, w, h * 0.58)."""
    body_y = y + h * 0.42
    shackle_w = w * 0.56
    sx0 = x + (w - shackle_w) / 2
    sx1 = sx0 + shackle_w
    r = shackle_w / 2
    top = y + width / 2
    shackle = (f"M{f(sx0)} {f(body_y)} V{f(top + r)} A{f(r)} {f(r)} 0 0 1 {f(sx1)} {f(top + r)} V{f(body_y)}")
    body = (f"M{f(x + w * 0.18)} {f(body_y)} H{f(x + w * 0.82)} "
            f"Q{f(x + w)} {f(body_y)} {f(x + w)} {f(body_y + h * 0.12)} V{f(y + h - h * 0.12)} "
            f"Q{f(x + w)} {f(y + h)} {f(x + w * 0.82)} {f(y + h)} H{f(x + w * 0.18)} "
            f"Q{f(x)} {f(y + h)} {f(x)} {f(y + h - h * 0.12)} V{f(body_y + h * 0.12)} "
            f"Q{f(x)} {f(body_y)} {f(x + w * 0.18)} {f(body_y)} Z")
    hole_y = body_y + (y + h - body_y) * 0.45
    keyhole = f"M{f(x + w / 2)} {f(hole_y)} V{f(hole_y + h * 0.12)}"
    return path(shackle, colour, width) + path(body, colour, width) + path(keyhole, colour, width)


# ------------------------------------------------------------------- the logo

def wordmark(text, x, baseline, cap_height, tracking, colour):
    font = TTFont(str(ROOT / "resources/fonts/InterExtraBold.otf"))
    glyph_set = font.getGlyphSet()
    cmap = font.getBestCmap()
    cap = font["OS/2"].sCapHeight
    scale = cap_height / cap
    out = ""
    pen_x = x
    for ch in text:
        name = cmap[ord(ch)]
        svg_pen = SVGPathPen(glyph_set)
        glyph_set[name].draw(TransformPen(svg_pen, (scale, 0, 0, -scale, pen_x, baseline)))
        out += fill(svg_pen.getCommands(), colour)
        pen_x += glyph_set[name].width * scale + tracking
    return out, pen_x - tracking


def logo():
    w, h = 509.536, 123.33
    body = f'  <rect x="0" y="0" width="{w:g}" height="{h:g}" rx="26" fill="{PANEL}"/>\n'
    # The mark: a short sequence of steps, the product in one glance.
    heights = [0.45, 0.8, 0.3, 0.62, 1.0]
    bar_w, gap, left, bottom, tallest = 13, 8, 30, 96, 70
    for i, k in enumerate(heights):
        bx = left + i * (bar_w + gap)
        bh = tallest * k
        body += (f'  <rect x="{bx:g}" y="{f(bottom - bh)}" width="{bar_w:g}" height="{f(bh)}" '
                 f'rx="{bar_w / 2:g}" fill="{YELLOW}"/>\n')
    # Set once to measure, then again at the size that ends where the mark's margin does.
    left_edge, right_edge, cap, tracking = 152, w - 30, 46, 7
    _, end = wordmark("TESSALINE", left_edge, 0, cap, tracking, YELLOW)
    cap *= (right_edge - left_edge) / (end - left_edge)
    text, _ = wordmark("TESSALINE", left_edge, 61.665 + cap / 2, cap, tracking * cap / 46, YELLOW)
    icon("logoImage", w, h, body + text)


# -------------------------------------------------------------- header icons

def metronome():
    w, h = 42.3, 40.1
    s = 3.2
    body = path("M14 4.5 H28.3 L36.8 36 H5.5 Z", "#888888", s)
    body += path("M9.5 27.5 H32.8", "#57595f", s)
    body += path("M21.15 27.5 L31.5 7.5", "#2b70dc", s)
    body += f'  <rect x="24.2" y="13.6" width="7.4" height="5.6" rx="1.6" fill="#ef5f5e" transform="rotate(27.35 27.9 16.4)"/>\n'
    body += circle(21.15, 27.5, 2.6, "#c9403f")
    icon("metronomeImage", w, h, body)


def presets(colour):
    s = 2.8
    body = ""
    for y in (5.5, 15.5, 25.5):
        body += circle(5.5, y, 2.6, colour)
        body += path(f"M13 {y:g} H37.5", colour, s)
    return body


def settings(colour):
    cx, cy = 16.55, 17.05
    body = f'  <circle cx="{cx:g}" cy="{cy:g}" r="8.6" {line_style(colour, 3.4)}/>\n'
    teeth = ""
    for k in range(8):
        a = math.radians(22.5 + 45 * k)
        x0, y0 = cx + 10.2 * math.cos(a), cy + 10.2 * math.sin(a)
        x1, y1 = cx + 13.6 * math.cos(a), cy + 13.6 * math.sin(a)
        teeth += f"M{f(x0)} {f(y0)} L{f(x1)} {f(y1)} "
    body += f'  <path d="{teeth.strip()}" fill="none" stroke="{colour}" stroke-width="4.6" stroke-linecap="round"/>\n'
    body += circle(cx, cy, 2.6, colour)
    return body


def collapse(inward):
    def draw(colour):
        s = 8
        body = path("M86 14 L58 42", colour, s) + path("M14 86 L42 58", colour, s)
        if inward:
            body += path("M58 20 V42 H80", colour, s) + path("M20 58 H42 V80", colour, s)
        else:
            body += path("M64 14 H86 V36", colour, s) + path("M14 64 V86 H36", colour, s)
        return body
    return draw


def close(colour):
    return path("M8 8 L21.5 21.4 M21.5 8 L8 21.4", colour, 2.6)


def play_stop(symbol):
    # A round key: a dark ring around a raised face, the symbol in its colour.
    body = circle(15, 15, 15, PANEL) + circle(15, 15, 12.4, "#4b4d55")
    if symbol == "play":
        body += f'  <path d="M12 9.6 L21 15 L12 20.4 Z" fill="#2b70dc" stroke="#2b70dc" stroke-width="1.6" stroke-linejoin="round"/>\n'
    else:
        body += f'  <rect x="10.2" y="10.2" width="9.6" height="9.6" rx="1.6" fill="#ef5f5e"/>\n'
    return body


# ----------------------------------------------------------- sequencer icons

def hexagon(cx, cy, r):
    pts = [(cx + r * math.cos(math.radians(-90 + 60 * k)), cy + r * math.sin(math.radians(-90 + 60 * k)))
           for k in range(6)]
    return "M" + " L".join(f"{f(x)} {f(y)}" for x, y in pts) + " Z"


def dice_background():
    # A rim-lit hexagon: the light copy shows along the upper left edges.
    body = (f'  <path d="{hexagon(100, 100, 86)}" fill="#3e454d" stroke="#3e454d" '
            f'stroke-width="18" stroke-linejoin="round"/>\n')
    body += (f'  <path d="{hexagon(101.5, 102.5, 83)}" fill="#2d343c" stroke="#2d343c" '
             f'stroke-width="14" stroke-linejoin="round"/>\n')
    icon("diceBackgroundImage", 200, 200, body)


def dice(colour):
    w, h = 112.3, 111.1
    s = 8.6
    body = f'  <rect x="{s / 2 + 2:g}" y="{s / 2 + 1.4:g}" width="{w - s - 4:g}" height="{h - s - 2.8:g}" rx="24" {line_style(colour, s)}/>\n'
    cx, cy, d = w / 2, h / 2, 25
    for dx, dy in ((-d, -d), (d, -d), (0, 0), (-d, d), (d, d)):
        body += circle(cx + dx, cy + dy, 8.2, colour)
    return body


def key(colour):
    return padlock(140, 60, 232, 400, colour, 40)


def reset_lock(colour):
    return reset_arrow(46, 43, 25, colour, 7.5) + padlock(104, 14, 40, 58, colour, 7.5)


def reset_dots():
    body = reset_arrow(46, 43, 25, "#57595f", 7.5)
    for x in (102, 122, 142):
        body += circle(x, 47, 6.5, "#484c55")
    return body


def reset_sequence(colour):
    return reset_arrow(50, 52, 33, colour, 8)


# Filter responses share their extents: flat pass band at 42, resonance peak at 28, stop band down to 82.
def low_pass(colour):
    return path("M10 44 H42 C52 44 56 26 63 28 C71 30 75 62 90 82", colour, 8)


def high_pass(colour):
    return path("M90 44 H58 C48 44 44 26 37 28 C29 30 25 62 10 82", colour, 8)


def band_pass(colour):
    return path("M10 82 C26 76 34 58 41 38 C45 26 55 26 59 38 C66 58 74 76 90 82", colour, 8)


# Direction arrows are drawn on a 270 x 150 canvas; the 100 x 100 icons place
# that canvas in a band of the same proportions, so all three fit alike.
ARROW_BAND = (0, 50 - 150 * 100 / 270 / 2, 100, 150 * 100 / 270)
ARROW_INTO_BAND = f"translate(0 {ARROW_BAND[1]:.3f}) scale({100 / 270:.5f})"


def forward_arrow(colour):
    return path("M38 75 H226 M184 33 L226 75 L184 117", colour, 12)


def backward_arrow(colour):
    return group(ARROW_INTO_BAND, path("M232 75 H44 M86 33 L44 75 L86 117", colour, 12))


def ping_pong_arrow(colour):
    return group(ARROW_INTO_BAND, path("M44 75 H226 M86 33 L44 75 L86 117 M184 33 L226 75 L184 117", colour, 12))


def infinity(colour):
    d = ("M50 50 C42 38 34 33 26 33 A17 17 0 0 0 26 67 C34 67 42 62 50 50 "
         "C58 38 66 33 74 33 A17 17 0 0 1 74 67 C66 67 58 62 50 50 Z")
    return path(d, colour, 8)


# Chevrons: the move buttons' artwork is 0.543 x 0.689; the back chevron sits
# in a box of the same proportions inside its 100 x 100 canvas.
CHEVRON_W, CHEVRON_H = 0.543, 0.689
CHEVRON_FRAME = ((100 - 100 * CHEVRON_W / CHEVRON_H) / 2, 0, 100 * CHEVRON_W / CHEVRON_H, 100)


def next_chevron(colour):
    return path("M0.17 0.1 L0.39 0.3445 L0.17 0.589", colour, 0.07)


def back_chevron(colour):
    scale = 100 / CHEVRON_H
    return group(f"translate({CHEVRON_FRAME[0]:.3f} 0) scale({scale:.4f})",
                 path("M0.373 0.1 L0.153 0.3445 L0.373 0.589", colour, 0.07))


# -------------------------------------------------------------- filter group

def wet(colour):
    d = "M50 12 C50 12 24 44 24 62 A26 26 0 0 0 76 62 C76 44 50 12 50 12 Z"
    return path(d, colour, 8) + path("M37 63 A13 13 0 0 0 48 75", colour, 6)


def bypass_across(colour):
    body = f'  <rect x="37" y="50" width="26" height="24" rx="6" {line_style(colour, 7)}/>\n'
    body += path("M8 62 H37 M63 62 H92", colour, 7)
    body += path("M20 62 V38 Q20 28 30 28 H70 Q80 28 80 38 V62", colour, 7)
    return body


# The bypass switch: a pill with a knob. Off is drawn in the 100 x 100 canvas
# inside a band of the on artwork's 17 x 9 proportions.
SWITCH_BAND = (0, 50 - 50 * 9 / 17, 100, 100 * 9 / 17)


def bypass_off():
    _, y, w, h = SWITCH_BAND
    s = 6
    body = (f'  <rect x="{s / 2:g}" y="{f(y + s / 2)}" width="{w - s:g}" height="{f(h - s)}" '
            f'rx="{f((h - s) / 2)}" {line_style("#7a7c83", s)}/>\n')
    body += circle(h / 2, 50, h / 2 - s - 3, "#7a7c83")
    return body


def bypass_on():
    body = f'  <rect x="0" y="0" width="17" height="9" rx="4.5" fill="{YELLOW}"/>\n'
    body += circle(12.5, 4.5, 2.9, PANEL)
    return body


# ------------------------------------------------------------------ presets

def row_background():
    body = f'  <rect x="0" y="0" width="100" height="100" rx="18" fill="#5a5d66"/>\n'
    body += f'  <rect x="1.5" y="2" width="98.5" height="98" rx="17" fill="#4b4d55"/>\n'
    return body


def remove_preset(colour):
    s = 4.8
    body = path("M6 14 H45.2", colour, s)
    body += path("M19 14 V7.5 H32.2 V14", colour, s)
    body += path("M11 21 L14 54.5 H37.2 L40.2 21", colour, s)
    body += path("M21 26 V47 M30.2 26 V47", colour, 4)
    return body


def build():
    logo()
    metronome()
    pair("presetsImage", "#888888", "presetsImageDown", LIGHT, 42.2, 31, presets)
    pair("settingsImage", "#888888", "settingsImageDown", LIGHT, 33.1, 34.1, settings)
    icon("collapseImageOn", 100, 100, collapse(False)(LIGHT))
    icon("collapseImage", 100, 100, collapse(True)("#888888"))
    dice_background()
    pair("diceImage", YELLOW, "diceImageDown", "#6d6e76", 112.3, 111.1, dice)
    pair("keyImage", "#57595f", "keyImageOn", YELLOW, 512, 512, key)
    pair("resetLockImage", "#57595f", "resetLockImageDown", "#8c92a4", 169, 86, reset_lock)
    icon("resetDotsImage", 169, 86, reset_dots())
    pair("lowPassImage", "#676d77", "lowPassImageOn", YELLOW, 100, 100, low_pass)
    pair("bandPassImage", "#676d77", "bandPassImageOn", YELLOW, 100, 100, band_pass)
    pair("highPassImage", "#676d77", "highPassImageOn", YELLOW, 100, 100, high_pass)
    pair("resetSequenceImage", "#57595f", "resetSequenceImageDown", "#8c92a4", 100, 100, reset_sequence)
    pair("forwardImage", "#57595f", "forwardImageOn", YELLOW, 270, 150, forward_arrow)
    pair("pingPongImage", "#57595f", "pingPongImageOn", YELLOW, 100, 100, ping_pong_arrow, ARROW_BAND)
    pair("backwardsImage", "#57595f", "backwardsImageOn", YELLOW, 100, 100, backward_arrow, ARROW_BAND)
    icon("wetIconImage", 100, 100, wet("#666d77"))
    pair("bypassAcrossImage", "#ebebeb", "bypassAcrossImageDown", YELLOW, 100, 100, bypass_across)
    icon("bypassImage", 100, 100, bypass_off(), SWITCH_BAND)
    icon("bypassImageOn", 17, 9, bypass_on())
    pair("infinityImage", "#666d77", "infinityImageOn", YELLOW, 100, 100, infinity)
    pair("nextArrowImage", "#666d77", "nextArrowImageDown", YELLOW, CHEVRON_W, CHEVRON_H, next_chevron)
    pair("backArrowImage", "#666d77", "backArrowImageDown", YELLOW, 100, 100, back_chevron, CHEVRON_FRAME)
    pair("closeImage", "#888888", "closeImageDown", LIGHT, 29.5, 29.4, close)
    icon("rowBackgroundImage", 100, 100, row_background())
    pair("removePresetImage", LIGHT, "removePresetImageDown", "#888888", 51.2, 60.4, remove_preset)
    icon("playImage", 30, 30, play_stop("play"))
    icon("stopImage", 30, 30, play_stop("stop"))


def main():
    out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / "resources/icons")
    out.mkdir(parents=True, exist_ok=True)
    build()
    for name, text in ICONS.items():
        (out / f"{name}.svg").write_text(text, encoding="utf-8")
    print(f"{len(ICONS)} icons in {out}")


if __name__ == "__main__":
    main()
