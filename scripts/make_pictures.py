#!/usr/bin/env python3
# Draws every picture the program and its help book use, and writes them into resources/.
# Each picture is described in ImageMagick's vector language (MVG) and rendered with `convert`.
# Run from the repository root:  python3 scripts/make_pictures.py
"""Picture generator for Vardenlyke Zovuderiz.

Outputs (all under resources/):
  rocker_a.svg, rocker_b.svg   200x200 line drawings of the two rocker types
  splash.jpg                   806x612 colour picture of a locomotive for the start-up window
                               (shown at 403x306: sharp on a 2x screen)
  icon64.png, icon64.bmp       64x64 program icon; icon128.png the same at 128x128
  help/*.png                   pictures for the help book: the rocker types, the icon, the
                               dimension diagram, an example valve diagram and the two valves
The help book's HTML pages are written by hand and are not made here.
"""

import math
import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "resources")
HELP = os.path.join(OUT, "help")

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
SANS = os.path.join(FONT_DIR, "DejaVuSans.ttf")
SANS_BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")
SERIF_BOLD_ITALIC = os.path.join(FONT_DIR, "DejaVuSerif-BoldItalic.ttf")


# --------------------------------------------------------------------------------------------
# A little drawing helper: collects MVG commands, then renders them with ImageMagick.
# --------------------------------------------------------------------------------------------


def fmt(v):
    """Number as MVG wants it: short, no exponent."""
    return ("%.3f" % v).rstrip("0").rstrip(".") if isinstance(v, float) else str(v)


class Drawing:
    def __init__(self, width, height, background="white"):
        self.width = width
        self.height = height
        self.background = background
        self.cmds = []

    # -- state -------------------------------------------------------------------------------
    def raw(self, text):
        self.cmds.append(text)

    def push(self):
        self.raw("push graphic-context")

    def pop(self):
        self.raw("pop graphic-context")

    def stroke(self, colour, width=None):
        self.raw("stroke '%s'" % colour)
        if width is not None:
            self.raw("stroke-width %s" % fmt(width))

    def fill(self, colour):
        self.raw("fill '%s'" % colour)

    def dash(self, *pattern):
        if pattern:
            self.raw("stroke-dasharray " + " ".join(fmt(p) for p in pattern))
        else:
            self.raw("stroke-dasharray none")

    def linecap(self, cap):
        self.raw("stroke-linecap %s" % cap)

    def opacity(self, value):
        self.raw("fill-opacity %s" % fmt(float(value)))

    def scale(self, s):
        self.raw("scale %s,%s" % (fmt(float(s)), fmt(float(s))))

    def translate(self, x, y):
        self.raw("translate %s,%s" % (fmt(float(x)), fmt(float(y))))

    def rotate(self, degrees):
        self.raw("rotate %s" % fmt(float(degrees)))

    def linear_gradient(self, name, x1, y1, x2, y2, start, end):
        """Defines a two-colour gradient from (x1,y1) to (x2,y2), used as fill 'url(#name)'.
        (ImageMagick 6 honours only the last two stops of a gradient, so there are just two;
        highlights are laid over the shape separately.)"""
        self.raw("push defs")
        self.raw(
            "push gradient '%s' linear %s,%s %s,%s"
            % (name, fmt(float(x1)), fmt(float(y1)), fmt(float(x2)), fmt(float(y2)))
        )
        self.raw("stop-color '%s' 0" % start)
        self.raw("stop-color '%s' 1" % end)
        self.raw("gradient-units 'userSpaceOnUse'")
        self.raw("pop gradient")
        self.raw("pop defs")

    def sheen(self, x1, y1, x2, y2, colour="white", strength=0.2):
        """A soft horizontal band of light (or shade) over a rectangular part."""
        self.push()
        self.raw("stroke none")
        self.fill(colour)
        h = y2 - y1
        for k, frac in ((0.0, 1.0), (0.2, 0.6), (0.35, 0.3)):
            self.opacity(strength * (1 - k) * 0.6)
            self.rect(x1, y1 + h * k, x2, y2 - h * k)
        self.pop()

    # -- shapes ------------------------------------------------------------------------------
    def line(self, x1, y1, x2, y2):
        self.raw("line %s,%s %s,%s" % tuple(fmt(float(v)) for v in (x1, y1, x2, y2)))

    def polygon(self, pts):
        self.raw("polygon " + " ".join("%s,%s" % (fmt(float(x)), fmt(float(y))) for x, y in pts))

    def rect(self, x1, y1, x2, y2):
        self.raw("rectangle %s,%s %s,%s" % tuple(fmt(float(v)) for v in (x1, y1, x2, y2)))

    def roundrect(self, x1, y1, x2, y2, r):
        self.raw(
            "roundrectangle %s,%s %s,%s %s,%s"
            % tuple(fmt(float(v)) for v in (x1, y1, x2, y2, r, r))
        )

    def circle(self, cx, cy, r):
        self.raw("circle %s,%s %s,%s" % tuple(fmt(float(v)) for v in (cx, cy, cx + r, cy)))

    def ellipse(self, cx, cy, rx, ry, a0=0, a1=360):
        self.raw("ellipse %s,%s %s,%s %s,%s" % tuple(fmt(float(v)) for v in (cx, cy, rx, ry, a0, a1)))

    def path(self, d):
        self.raw("path '%s'" % d)

    def text(self, x, y, s, size, font=SANS, colour="black", anchor="start"):
        """Text with its baseline at y. anchor: start, middle or end."""
        self.push()
        self.raw("font '%s'" % font)
        self.raw("font-size %s" % fmt(float(size)))
        self.raw("stroke none")
        self.fill(colour)
        self.raw("text-anchor %s" % anchor)
        self.raw("text %s,%s '%s'" % (fmt(float(x)), fmt(float(y)), s.replace("'", "\\'")))
        self.pop()

    def arrow_head(self, tip_x, tip_y, from_x, from_y, length=7.0, half_width=3.0, colour="black"):
        """Filled arrow head with its tip at (tip_x, tip_y), pointing away from (from_x, from_y)."""
        dx, dy = tip_x - from_x, tip_y - from_y
        n = math.hypot(dx, dy) or 1.0
        ux, uy = dx / n, dy / n
        bx, by = tip_x - ux * length, tip_y - uy * length
        self.push()
        self.raw("stroke none")
        self.fill(colour)
        self.polygon([(tip_x, tip_y), (bx - uy * half_width, by + ux * half_width),
                      (bx + uy * half_width, by - ux * half_width)])
        self.pop()

    # -- output ------------------------------------------------------------------------------
    def mvg(self):
        head = ["viewbox 0 0 %d %d" % (self.width, self.height)]
        return "\n".join(head + self.cmds) + "\n"

    def svg(self):
        """The drawing as SVG, for pictures the program draws at the screen's own pixel density.
        Understands the commands the line drawings use: graphic contexts, stroke, fill, dashes,
        fonts, lines, polygons, circles, rectangles and text."""
        fonts = {SANS: ("DejaVu Sans", "normal", "normal"), SANS_BOLD: ("DejaVu Sans", "bold", "normal"),
                 SERIF_BOLD_ITALIC: ("DejaVu Serif", "bold", "italic")}
        state = [{"stroke": "none", "stroke-width": "1", "fill": "black", "stroke-dasharray": "none",
                  "font": SANS, "font-size": "12", "text-anchor": "start"}]
        out = ['<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
               'width="%d" height="%d" viewBox="0 0 %d %d">' % (self.width, self.height, self.width, self.height),
               '<rect x="0" y="0" width="%d" height="%d" fill="%s"/>' % (self.width, self.height, self.background)]

        def style(filled=True):
            s = state[-1]
            return ('stroke="%s" stroke-width="%s" stroke-dasharray="%s" fill="%s"'
                    % (s["stroke"], s["stroke-width"], s["stroke-dasharray"].replace(" ", ","),
                       s["fill"] if filled else "none"))

        def points(text):
            return [tuple(float(v) for v in p.split(",")) for p in text.split()]

        for cmd in self.cmds:
            word, _, rest = cmd.partition(" ")
            if cmd == "push graphic-context":
                state.append(dict(state[-1]))
            elif cmd == "pop graphic-context":
                state.pop()
            elif word in ("stroke", "fill", "stroke-width", "stroke-dasharray", "font", "font-size",
                          "text-anchor"):
                state[-1][word] = rest.strip("'")
            elif word == "line":
                (x1, y1), (x2, y2) = points(rest)
                out.append('<line x1="%s" y1="%s" x2="%s" y2="%s" %s/>'
                           % (fmt(x1), fmt(y1), fmt(x2), fmt(y2), style(False)))
            elif word == "polygon":
                out.append('<polygon points="%s" %s/>' % (rest.replace(",", " ").replace("  ", " "), style()))
            elif word == "circle":
                (cx, cy), (px, _) = points(rest)
                out.append('<circle cx="%s" cy="%s" r="%s" %s/>' % (fmt(cx), fmt(cy), fmt(abs(px - cx)), style()))
            elif word == "rectangle":
                (x1, y1), (x2, y2) = points(rest)
                out.append('<rect x="%s" y="%s" width="%s" height="%s" %s/>'
                           % (fmt(x1), fmt(y1), fmt(x2 - x1), fmt(y2 - y1), style()))
            elif word == "text":
                coords, _, quoted = rest.partition(" ")
                x, y = coords.split(",")
                family, weight, slant = fonts[state[-1]["font"]]
                text = quoted[1:-1].replace("\\'", "'").replace("&", "&amp;").replace("<", "&lt;")
                out.append('<text x="%s" y="%s" font-family="%s" font-weight="%s" font-style="%s" '
                           'font-size="%s" text-anchor="%s" fill="%s" stroke="none">%s</text>'
                           % (x, y, family, weight, slant, state[-1]["font-size"],
                              state[-1]["text-anchor"], state[-1]["fill"], text))
            else:
                raise ValueError("no SVG for: " + cmd)
        out.append("</svg>")
        return "\n".join(out) + "\n"

    def render(self, out_path, supersample=1, antialias=True, extra=(), out_scale=1):
        """Renders the drawing to out_path (format from the extension or a FORMAT: prefix).

        supersample > 1 draws at that many times the size and shrinks the result, which gives
        smoother edges than ImageMagick's own antialiasing on small pictures; out_scale > 1
        keeps that many pixels per unit of the drawing (for 2x screens)."""
        if supersample != 1:
            # Scale everything drawn; the canvas itself is made larger below.
            body = "viewbox 0 0 %d %d\nscale %d,%d\n%s\n" % (
                self.width * supersample, self.height * supersample, supersample, supersample,
                "\n".join(self.cmds))
        else:
            body = self.mvg()
        # The drawing goes in as the argument of -draw (reading "@file" is barred by the
        # usual ImageMagick security policy).
        size = "%dx%d" % (self.width * supersample, self.height * supersample)
        cmd = ["convert", "-size", size, "xc:" + self.background]
        cmd += ["-antialias"] if antialias else ["+antialias"]
        cmd += ["-draw", body]
        if supersample != 1:
            cmd += ["-filter", "Lanczos", "-resize",
                    "%dx%d!" % (self.width * out_scale, self.height * out_scale)]
        cmd += list(extra)
        cmd += [out_path]
        subprocess.run(cmd, check=True)


def run(*args):
    subprocess.run(list(args), check=True)


HELP_WIDTH = 580   # widest picture that fits the help window without a scroll bar


def help_drawing(design_width, design_height):
    """A drawing laid out in a design frame of the given size and shrunk to HELP_WIDTH."""
    k = HELP_WIDTH / float(design_width)
    d = Drawing(HELP_WIDTH, int(round(design_height * k)))
    d.scale(k)
    return d


def polar(cx, cy, r, degrees):
    """Point at angle `degrees` (screen: 0 = right, 90 = down) and distance r from (cx, cy)."""
    a = math.radians(degrees)
    return cx + r * math.cos(a), cy + r * math.sin(a)


# --------------------------------------------------------------------------------------------
# Rocker types: 200x200, 16 colours, black on white.
# --------------------------------------------------------------------------------------------


def dimension(d, x1, y1, x2, y2, offset, label, label_side=1):
    """A dimension line parallel to (x1,y1)-(x2,y2), `offset` to its left (negative: right),
    with extension lines, arrow heads at both ends and an italic letter at the middle."""
    dx, dy = x2 - x1, y2 - y1
    n = math.hypot(dx, dy)
    ux, uy = dx / n, dy / n
    nx, ny = uy, -ux  # left-hand normal on screen
    ax, ay = x1 + nx * offset, y1 + ny * offset
    bx, by = x2 + nx * offset, y2 + ny * offset
    d.push()
    d.stroke("black", 0.8)
    d.fill("none")
    sign = 1 if offset > 0 else -1
    # extension lines from the members out to just beyond the dimension line
    d.line(x1 + nx * 3 * sign, y1 + ny * 3 * sign, ax + nx * 3 * sign, ay + ny * 3 * sign)
    d.line(x2 + nx * 3 * sign, y2 + ny * 3 * sign, bx + nx * 3 * sign, by + ny * 3 * sign)
    d.line(ax + ux * 2, ay + uy * 2, bx - ux * 2, by - uy * 2)
    d.pop()
    d.arrow_head(ax, ay, bx, by, 6, 2.5)
    d.arrow_head(bx, by, ax, ay, 6, 2.5)
    mx, my = (ax + bx) / 2 + nx * 9 * sign * label_side, (ay + by) / 2 + ny * 9 * sign * label_side
    d.text(mx, my + 5, label, 15, SERIF_BOLD_ITALIC, anchor="middle")


def motion_arrow(d, x, y, direction):
    """A short motion arrow centred on (x, y), pointing right (+1) or left (-1)."""
    half = 9
    d.push()
    d.stroke("black", 1.2)
    d.line(x - half * direction, y, x + (half - 4) * direction, y)
    d.pop()
    d.arrow_head(x + half * direction, y, x - half * direction, y, 6, 3)


def draw_rocker(kind):
    """kind 'A': both arms below the shaft; 'B': valve arm above, link arm below."""
    d = Drawing(200, 200)
    d.text(100, 20, "TYPE " + kind, 16, SANS_BOLD, anchor="middle")

    if kind == "A":
        px, py = 100, 58                      # rocker shaft centre
        valve_len, valve_dir = 62, 90 + 28    # arm to the valve: length x, hanging down-left
        link_len, link_dir = 100, 90 - 22     # arm from the link: length y, hanging down-right
    else:
        px, py = 100, 100
        valve_len, valve_dir = 56, -90 - 24   # arm to the valve: length x, standing up-left
        link_len, link_dir = 66, 90 - 24      # arm from the link: length y, hanging down-right

    vx, vy = polar(px, py, valve_len, valve_dir)
    lx, ly = polar(px, py, link_len, link_dir)

    # Shaft: a dashed centre line through the pivot.
    d.push()
    d.stroke("black", 1.0)
    d.dash(9, 3, 2, 3)
    d.line(6, py, 194, py)
    d.pop()

    # Arms: tapered plates from a boss on the shaft to an eye at the pin.
    for (ex, ey) in ((vx, vy), (lx, ly)):
        ang = math.atan2(ey - py, ex - px)
        nx, ny = -math.sin(ang), math.cos(ang)
        w0, w1 = 6.0, 3.5
        d.push()
        d.stroke("black", 1.5)
        d.fill("white")
        d.polygon([(px + nx * w0, py + ny * w0), (ex + nx * w1, ey + ny * w1),
                   (ex - nx * w1, ey - ny * w1), (px - nx * w0, py - ny * w0)])
        d.circle(ex, ey, 5.5)
        d.circle(ex, ey, 1.6)
        d.pop()

    # Pivot: boss on the shaft, shaft section inside it.
    d.push()
    d.stroke("black", 1.8)
    d.fill("white")
    d.circle(px, py, 10)
    d.stroke("black", 1.2)
    d.circle(px, py, 4.5)
    d.pop()
    d.push()
    d.stroke("black", 0.8)
    d.line(px - 3, py, px + 3, py)
    d.line(px, py - 3, px, py + 3)
    d.pop()

    # The valve rod leaves the valve arm to the left; the rod from the link comes in from the
    # right.  The small arrows show which way each end moves when the link end moves right.
    d.push()
    d.stroke("black", 2.2)
    d.line(12, vy, vx - 5.5, vy)
    d.line(lx + 5.5, ly, 190, ly)
    d.pop()
    d.arrow_head(6, vy, 20, vy, 8, 3.5)
    valve_sense = +1 if kind == "A" else -1
    if kind == "A":
        d.text(10, vy + 14, "to valve", 11, SANS)
        d.text(190, ly + 14, "from link", 11, SANS, anchor="end")
        motion_arrow(d, 30, vy - 9, valve_sense)
        motion_arrow(d, 176, ly - 9, +1)
        dimension(d, px, py, vx, vy, -15, "x")
        dimension(d, px, py, lx, ly, 15, "y")
    else:
        d.text(10, vy - 7, "to valve", 11, SANS)
        d.text(190, ly - 7, "from link", 11, SANS, anchor="end")
        motion_arrow(d, 32, vy + 11, valve_sense)
        motion_arrow(d, 168, ly + 11, +1)
        dimension(d, px, py, vx, vy, -15, "x")
        dimension(d, px, py, lx, ly, -15, "y")

    d.text(100, 192, "Rocker Ratio = x/y", 13, SANS_BOLD, anchor="middle")
    return d


def make_rockers():
    for kind in ("A", "B"):
        d = draw_rocker(kind)
        name = "rocker_%s" % kind.lower()
        # The program draws the picture from its SVG at the screen's pixel density.
        with open(os.path.join(OUT, name + ".svg"), "w") as svg:
            svg.write(d.svg())
        # The help book shows a 16-colour bitmap of it.
        png = os.path.join(HELP, name + ".png")
        d.render(png, supersample=2)
        run("convert", png, "+dither", "-colors", "16", "-type", "Palette", "-strip", "PNG8:" + png)


# --------------------------------------------------------------------------------------------
# Splash picture: a 4-4-0 express engine with its tender, in green livery, on a summer day.
# Drawn in a 403x306 frame (the size the start-up window shows it at), rendered at three times
# that size and shrunk, then saved as JPEG.  The engine faces right.
# --------------------------------------------------------------------------------------------

GREEN = "#2f6e3b"
GREEN_DARK = "#1b4524"
GREEN_LIGHT = "#5aa567"
BLACK = "#161616"
BRASS = "#c99a2e"
BRASS_LIGHT = "#f6dc86"
LINING = "#e7c24a"
RED = "#b02a1f"
STEEL = "#a7adb3"

RAIL_TOP = 262


def sky_and_land(d, rnd):
    d.linear_gradient("sky", 0, -40, 0, 236, "#3f78c4", "#dbe9f2")
    d.push()
    d.raw("stroke none")
    d.fill("url(#sky)")
    d.rect(0, 0, 403, 232)
    d.pop()

    # Clouds: clusters of soft ellipses.
    for cx, cy, k in ((70, 40, 1.0), (190, 26, 0.8), (330, 48, 1.1), (395, 20, 0.6)):
        d.push()
        d.raw("stroke none")
        d.fill("#ffffff")
        d.opacity(0.85)
        for dx, dy, rx, ry in ((0, 0, 26, 9), (-16, -5, 14, 9), (8, -9, 16, 11), (24, -2, 14, 8),
                               (-28, 2, 12, 6)):
            d.ellipse(cx + dx * k, cy + dy * k, rx * k, ry * k)
        d.fill("#dfe8f0")
        d.opacity(0.6)
        d.ellipse(cx, cy + 5 * k, 30 * k, 4 * k)
        d.pop()

    # Far hills and a nearer rise.
    d.push()
    d.raw("stroke none")
    d.fill("#8aa7a0")
    d.polygon([(0, 214), (40, 200), (95, 196), (150, 206), (210, 192), (280, 199), (340, 188),
               (403, 198), (403, 235), (0, 235)])
    d.fill("#6f9560")
    d.polygon([(0, 224), (60, 214), (130, 219), (200, 210), (260, 216), (330, 208), (403, 214),
               (403, 240), (0, 240)])
    d.pop()

    # A hedge line with a few trees.
    d.push()
    d.raw("stroke none")
    d.fill("#3f6b35")
    for x in range(-4, 410, 9):
        d.ellipse(x, 226 + rnd.uniform(-1.5, 1.5), 7, 4 + rnd.uniform(0, 2))
    for x, r in ((22, 13), (104, 10), (236, 15), (386, 12)):
        d.fill("#4b3a26")
        d.rect(x - 1.5, 222 - r * 0.4, x + 1.5, 228)
        d.fill("#355f2d")
        d.ellipse(x, 220 - r, r * 0.9, r)
        d.fill("#447a38")
        d.ellipse(x - r * 0.25, 217 - r, r * 0.55, r * 0.6)
    d.pop()

    # Grass in front.
    d.linear_gradient("grass", 0, 226, 0, 310, "#6f9d45", "#3f6a26")
    d.push()
    d.raw("stroke none")
    d.fill("url(#grass)")
    d.rect(0, 228, 403, 306)
    d.pop()

    # Telegraph poles and wires behind the line.
    d.push()
    d.stroke("#4a3a2a", 1.4)
    for x in (48, 178, 308):
        d.line(x, 170, x, 236)
        d.line(x - 7, 175, x + 7, 175)
        d.line(x - 6, 181, x + 6, 181)
    d.stroke("#3b3b3b", 0.4)
    d.fill("none")
    for y in (175, 181):
        for x0, x1 in ((-82, 48), (48, 178), (178, 308), (308, 438)):
            d.path("M %d,%d Q %d,%d %d,%d" % (x0 + 5, y, (x0 + x1) / 2, y + 6, x1 - 5, y))
    d.pop()


def track(d, rnd):
    # Ballast shoulder.
    d.push()
    d.raw("stroke none")
    d.fill("#8c8276")
    d.polygon([(0, 263), (403, 263), (403, 284), (0, 288)])
    for _ in range(500):
        x, y = rnd.uniform(0, 403), rnd.uniform(265, 286)
        d.fill(rnd.choice(("#6f665c", "#a69c90", "#7c7368", "#b3aa9e")))
        d.circle(x, y, rnd.uniform(0.4, 1.0))
    d.pop()
    # Sleeper ends.
    d.push()
    d.stroke("#2e2118", 0.5)
    d.fill("#4a3627")
    for x in range(-6, 410, 17):
        d.rect(x, 266, x + 9, 272)
    d.pop()
    # Rail: head, web and foot.
    d.push()
    d.raw("stroke none")
    d.fill("#5d5a57")
    d.rect(0, RAIL_TOP, 403, RAIL_TOP + 4)
    d.fill("#4a4745")
    d.rect(0, RAIL_TOP + 4, 403, RAIL_TOP + 7)
    d.fill("#d5d3cf")
    d.rect(0, RAIL_TOP, 403, RAIL_TOP + 1)
    d.pop()


def wheel(d, cx, r, spokes, crank_deg=None, counterweight=False):
    """A spoked wheel standing on the rail, centre at x = cx.  crank_deg: screen angle of
    the crank pin, which gets a boss; the counterweight sits opposite it."""
    cy = RAIL_TOP - r
    d.push()
    d.stroke(BLACK, 0.8)
    d.fill("#202020")
    d.circle(cx, cy, r)                       # tyre
    d.fill(GREEN_DARK)
    d.circle(cx, cy, r - 3.2)                 # rim
    d.fill("#0f0f0f")
    d.circle(cx, cy, r - 5.2)                 # the space between the spokes
    d.pop()
    if counterweight:
        a = crank_deg + 180
        outer = [polar(cx, cy, r - 5.2, a + t) for t in range(-38, 39, 4)]
        inner = [polar(cx, cy, r * 0.45, a + t) for t in range(38, -39, -4)]
        d.push()
        d.stroke(GREEN_DARK, 0.6)
        d.fill(GREEN)
        d.polygon(outer + inner)
        d.pop()
    d.push()
    d.stroke(GREEN, 1.7 if r > 25 else 1.3)
    d.linecap("round")
    for i in range(spokes):
        a = 360.0 * i / spokes + 7
        x1, y1 = polar(cx, cy, r * 0.22, a)
        x2, y2 = polar(cx, cy, r - 5, a)
        d.line(x1, y1, x2, y2)
    d.pop()
    d.push()
    d.stroke(GREEN_DARK, 0.8)
    d.fill(GREEN)
    d.circle(cx, cy, r * 0.26)                # boss
    d.fill("#8f969c")
    d.circle(cx, cy, r * 0.1)                 # axle end
    d.pop()
    # A highlight along the top of the tyre.
    d.push()
    d.stroke("#5a5a5a", 0.7)
    d.fill("none")
    d.ellipse(cx, cy, r - 0.7, r - 0.7, 200, 320)
    d.pop()
    if crank_deg is not None:
        px, py = polar(cx, cy, r * 0.42, crank_deg)
        d.push()
        d.stroke(BLACK, 0.6)
        d.fill(GREEN)
        d.circle(px, py, 3.6)
        d.pop()
        return px, py
    return None


def tender(d, rnd):
    # Frames, axleboxes and springs.
    d.push()
    d.stroke(BLACK, 0.6)
    d.fill("#1d1d1d")
    d.rect(-4, 212, 104, 232)
    d.pop()
    for cx in (22, 66):
        wheel(d, cx, 18, 10)
    d.push()
    d.stroke(BLACK, 0.6)
    d.fill("#2a2a2a")
    for cx in (22, 66):
        d.rect(cx - 6, 217, cx + 6, 231)          # axlebox
        d.fill("#3a3a3a")
        d.path("M %s,216 Q %s,222 %s,216 Z" % (cx - 14, cx, cx + 14))  # leaf spring
        d.fill("#2a2a2a")
    d.pop()
    # Tank with its flared coping and a heap of coal.
    d.push()
    d.raw("stroke none")
    d.fill(BLACK)
    for i in range(26):
        x = -6 + i * 4.4
        d.ellipse(x, 146 + rnd.uniform(-2, 2), 5.5, 5 + rnd.uniform(0, 2.5))
    d.pop()
    d.linear_gradient("tank", 0, 140, 0, 216, "#4a9457", GREEN_DARK)
    d.push()
    d.stroke(BLACK, 0.8)
    d.fill("url(#tank)")
    d.rect(-6, 152, 104, 212)
    d.fill(BLACK)
    d.rect(-6, 147, 106, 153)                       # coping
    d.pop()
    d.sheen(-5.5, 156, 103.5, 170, "white", 0.12)
    d.push()
    d.stroke(BLACK, 2.2)
    d.fill("none")
    d.roundrect(4, 160, 96, 205, 5)                 # black band of the panel
    d.stroke(LINING, 0.7)
    d.roundrect(5.6, 161.6, 94.4, 203.4, 4)         # lining
    d.pop()
    d.push()
    d.stroke(BLACK, 0.6)
    d.fill(BLACK)
    d.rect(-6, 208, 108, 214)                       # tender valance
    d.stroke(RED, 0.6)
    d.line(-6, 210.5, 108, 210.5)
    d.pop()


def engine(d):
    # Frames behind the wheels.
    d.push()
    d.stroke(BLACK, 0.6)
    d.fill("#1f1f1f")
    d.polygon([(112, 206), (390, 206), (390, 222), (372, 226), (304, 226), (296, 214), (150, 214),
               (150, 226), (112, 226)])
    d.pop()

    # Wheels: bogie, then the two coupled wheels.
    for cx in (318, 358):
        wheel(d, cx, 17, 10)
    crank = 35
    pins = [wheel(d, cx, 33, 16, crank, counterweight=True) for cx in (200, 272)]

    # Coupling rod between the crank pins.
    (x1, y1), (x2, y2) = pins
    d.push()
    d.stroke("#3d4246", 6.5)
    d.linecap("round")
    d.line(x1, y1, x2, y2)
    d.stroke(STEEL, 4.6)
    d.line(x1, y1, x2, y2)
    d.stroke("#e6e9ec", 1.0)
    d.line(x1 + 2, y1 - 1.4, x2 - 2, y2 - 1.4)
    d.pop()
    d.push()
    d.stroke("#3d4246", 0.8)
    d.fill(STEEL)
    for x, y in pins:
        d.circle(x, y, 4.5)
        d.fill("#5b6166")
        d.circle(x, y, 1.6)
        d.fill(STEEL)
    d.pop()

    # Cab side sheet, with the opening and the lined panel.
    d.linear_gradient("cab", 0, 120, 0, 210, "#4a9457", GREEN_DARK)
    d.push()
    d.stroke(BLACK, 0.8)
    d.fill("url(#cab)")
    d.polygon([(112, 206), (112, 132), (164, 132), (164, 206)])
    d.fill("#101010")
    d.roundrect(121, 140, 151, 172, 6)
    d.stroke(LINING, 0.7)
    d.fill("none")
    d.roundrect(117, 177, 159, 202, 3)
    d.pop()
    # Brass number plate.
    d.push()
    d.stroke("#7a5a12", 0.6)
    d.fill(BRASS)
    d.ellipse(138, 189.5, 12, 6.5)
    d.fill("#3b2a08")
    d.raw("stroke none")
    for i in range(4):
        d.rect(131.5 + i * 3.6, 187, 133.3 + i * 3.6, 192)
    d.pop()
    # Roof.
    d.push()
    d.stroke(BLACK, 0.8)
    d.fill("#242424")
    d.path("M 106,133 Q 106,124 115,122 L 158,122 Q 168,124 169,133 Z")
    d.pop()

    # Firebox and boiler.
    d.linear_gradient("boiler", 0, 128, 0, 190, "#5fae6c", "#123519")
    d.push()
    d.stroke(BLACK, 0.8)
    d.fill("url(#boiler)")
    d.path("M 164,206 L 164,141 Q 164,134 172,134 L 196,134 L 196,206 Z")
    d.rect(192, 136, 336, 186)
    d.pop()
    d.sheen(192.5, 139, 335.5, 151, "white", 0.22)
    d.sheen(164.5, 139, 195.5, 151, "white", 0.22)
    d.sheen(192.5, 177, 335.5, 185.5, "black", 0.35)
    # Boiler bands: black with lining either side.
    for x in (196, 232, 268, 304):
        d.push()
        d.stroke(BLACK, 2.6)
        d.line(x, 136.5, x, 185.5)
        d.stroke(LINING, 0.5)
        d.line(x - 2, 136.5, x - 2, 185.5)
        d.line(x + 2, 136.5, x + 2, 185.5)
        d.pop()
    # Handrail.
    d.push()
    d.stroke("#d9d9d9", 0.9)
    d.line(200, 151, 346, 151)
    d.fill("#d9d9d9")
    d.raw("stroke none")
    for x in (214, 250, 286, 322):
        d.circle(x, 151, 1.1)
    d.pop()

    # Splashers over the coupled wheels, with brass beading.
    for cx in (200, 272):
        cy = RAIL_TOP - 33
        d.push()
        d.stroke(BLACK, 0.8)
        d.fill(GREEN)
        d.path("M %s,206 A 38,38 0 0 1 %s,206 Z" % (cx - 29.4, cx + 29.4))
        d.stroke(BRASS_LIGHT, 1.6)
        d.fill("none")
        d.path("M %s,205 A 38.5,38.5 0 0 1 %s,205" % (cx - 30, cx + 30))
        d.pop()

    # Smokebox with its saddle and front ring.
    d.linear_gradient("smokebox", 0, 126, 0, 192, "#4a4a4a", "#060606")
    d.push()
    d.stroke(BLACK, 0.8)
    d.fill("url(#smokebox)")
    d.rect(334, 133, 376, 189)
    d.sheen(334.5, 137, 375.5, 148, "white", 0.25)
    d.fill("#151515")
    d.polygon([(338, 189), (372, 189), (376, 206), (334, 206)])
    d.fill("#3a3a3a")
    d.roundrect(374, 136, 381, 186, 3)
    d.pop()
    d.push()
    d.stroke("#8a8a8a", 0.7)
    d.line(336, 135, 336, 187)
    d.pop()

    # Chimney with a polished cap.
    d.linear_gradient("chimney", 344, 0, 370, 0, "#4c4c4c", "#080808")
    d.push()
    d.stroke(BLACK, 0.8)
    d.fill("url(#chimney)")
    d.path("M 340,134 Q 348,131 348,124 L 349,104 L 363,104 L 364,124 Q 364,131 372,134 Z")
    d.roundrect(344.5, 97, 367.5, 106, 2)
    d.pop()

    # Dome and safety valves, polished brass.
    d.linear_gradient("brass", 252, 0, 292, 0, BRASS_LIGHT, "#7a5610")
    d.push()
    d.stroke("#5a410c", 0.8)
    d.fill("url(#brass)")
    d.path("M 248,137 Q 256,135 257,128 Q 259,116 270,115 Q 281,116 283,128 Q 284,135 292,137 Z")
    d.raw("stroke none")
    d.fill("white")
    d.opacity(0.45)
    d.ellipse(263, 124, 3, 6)
    d.pop()
    d.linear_gradient("brass2", 172, 0, 188, 0, BRASS_LIGHT, "#7a5610")
    d.push()
    d.stroke("#5a410c", 0.7)
    d.fill("url(#brass2)")
    d.path("M 170,135 L 173,126 L 185,126 L 188,135 Z")
    d.rect(174.5, 116, 177.5, 126)
    d.rect(180.5, 116, 183.5, 126)
    d.roundrect(173, 114, 185, 118, 1.5)
    d.pop()
    # Whistle on the cab front.
    d.push()
    d.stroke("#5a410c", 0.6)
    d.fill(BRASS_LIGHT)
    d.rect(163, 116, 165.5, 126)
    d.roundrect(161.5, 110, 167, 117, 1.5)
    d.pop()

    # Running plate valance, buffer beam, buffers and a lamp.
    d.push()
    d.stroke(BLACK, 0.6)
    d.fill("#141414")
    d.rect(110, 204, 388, 210)
    d.stroke(RED, 0.7)
    d.line(110, 207, 388, 207)
    d.pop()
    d.push()
    d.stroke("#5a140f", 0.7)
    d.fill(RED)
    d.rect(386, 200, 394, 224)
    d.fill(BLACK)
    d.rect(394, 206, 399, 214)
    d.fill(STEEL)
    d.roundrect(399, 202, 402.5, 218, 1.2)
    d.pop()
    d.push()
    d.stroke(BLACK, 0.6)
    d.fill("#f2f2ee")
    d.rect(384, 189, 392, 199)
    d.fill("#ffe9a0")
    d.rect(390.5, 191.5, 392.5, 196.5)
    d.pop()
    # Drawbar gap between engine and tender.
    d.push()
    d.raw("stroke none")
    d.fill("#101010")
    d.rect(104, 196, 112, 212)
    d.pop()

    # A soft shadow along the rail beneath the engine.
    d.push()
    d.raw("stroke none")
    d.fill("#000000")
    d.opacity(0.25)
    d.ellipse(200, 266, 200, 4)
    d.pop()


def smoke(d):
    """A plume from the chimney, drifting back over the train and thinning out."""
    puffs = [(355, 92, 9, 7), (347, 82, 13, 9), (334, 73, 17, 11), (316, 65, 21, 13),
             (293, 58, 25, 14), (266, 53, 29, 15), (236, 50, 32, 15), (204, 49, 34, 15),
             (170, 51, 35, 14), (136, 55, 34, 12), (104, 60, 30, 10)]
    n = len(puffs)
    for i, (x, y, rx, ry) in enumerate(puffs):
        fade = 1.0 - i / n
        d.push()
        d.raw("stroke none")
        d.fill("#7d8287")                                   # shaded underside
        d.opacity(0.45 * fade + 0.1)
        d.ellipse(x + 2, y + ry * 0.45, rx * 0.95, ry * 0.7)
        d.fill("#e4e7ea")                                   # body of the puff
        d.opacity(0.7 * fade + 0.2)
        d.ellipse(x, y, rx, ry)
        d.fill("#ffffff")                                   # sunlit top
        d.opacity(0.6 * fade + 0.15)
        d.ellipse(x - rx * 0.3, y - ry * 0.35, rx * 0.55, ry * 0.5)
        d.pop()


def make_splash():
    import random
    rnd = random.Random(1307)
    d = Drawing(403, 306)
    sky_and_land(d, rnd)
    track(d, rnd)
    smoke(d)
    tender(d, rnd)
    engine(d)
    # Kept at twice the size it is shown at, so that it is sharp on a 2x screen too.
    d.render(os.path.join(OUT, "splash.jpg"), supersample=3,
             extra=["-strip", "-sampling-factor", "4:4:4", "-quality", "90"], out_scale=2)


# --------------------------------------------------------------------------------------------
# Program icon, 64x64: an expansion link with its slot, the die block and the eccentric rods,
# in brass and steel on a dark blue tile.
# --------------------------------------------------------------------------------------------


def curved_bar(cx, cy, r, half_width, a0, a1, steps=40):
    """Outline of a bar bent to radius r about (cx, cy), from screen angle a0 to a1 (degrees),
    half_width either side of the arc, with round ends: a list of points for a polygon."""
    pts = []
    for i in range(steps + 1):                       # outer edge, a0 -> a1
        pts.append(polar(cx, cy, r + half_width, a0 + (a1 - a0) * i / steps))
    ex, ey = polar(cx, cy, r, a1)
    for i in range(1, 12):                           # round end at a1
        pts.append(polar(ex, ey, half_width, a1 + 180.0 * i / 12))
    for i in range(steps + 1):                       # inner edge, a1 -> a0
        pts.append(polar(cx, cy, r - half_width, a1 - (a1 - a0) * i / steps))
    sx, sy = polar(cx, cy, r, a0)
    for i in range(1, 12):                           # round end at a0
        pts.append(polar(sx, sy, half_width, a0 + 180.0 + 180.0 * i / 12))
    return pts


def draw_icon():
    d = Drawing(64, 64, background="none")
    d.linear_gradient("tile", 0, 0, 0, 64, "#3a6291", "#0f1f36")
    d.push()
    d.stroke("#0a1526", 1.0)
    d.fill("url(#tile)")
    d.roundrect(1.5, 1.5, 62.5, 62.5, 11)
    d.pop()

    cx, cy, R = -6.0, 32.0, 38.0           # centre of curvature and slot radius of the link
    top, bottom = -34.0, 34.0              # angular extent of the link (screen degrees)
    pin_top, pin_bottom = -27.0, 27.0      # eccentric-rod pins near its ends

    # Eccentric rods, coming from the crank axle off the tile to the left.
    d.push()
    d.linecap("round")
    for a, ey in ((pin_top, 26.0), (pin_bottom, 38.0)):
        px, py = polar(cx, cy, R, a)
        d.stroke("#0b0f14", 5.2)
        d.line(2, ey, px, py)
        d.stroke("#aeb6bf", 3.4)
        d.line(2, ey, px, py)
        d.stroke("#e9eef2", 0.8)
        d.line(2, ey - 0.9, px, py - 0.9)
    d.pop()

    # The link: a curved bar with rounded ends and a slot along its middle.
    d.push()
    d.stroke("#3b2a06", 1.0)
    d.fill("#d7a937")
    d.polygon(curved_bar(cx, cy, R, 6.3, top, bottom))
    d.raw("stroke none")
    d.fill("#f7e09a")
    d.polygon(curved_bar(cx, cy, R - 4.0, 0.8, top + 3, bottom - 3))
    d.stroke("#3b2a06", 0.6)
    d.fill("#1a1409")
    d.polygon(curved_bar(cx, cy, R, 1.9, top + 9, bottom - 9))
    d.pop()

    # Pins of the eccentric rods.
    d.push()
    d.stroke("#3b2a06", 0.8)
    for a in (pin_top, pin_bottom):
        px, py = polar(cx, cy, R, a)
        d.fill("#c0c7ce")
        d.circle(px, py, 3.3)
        d.fill("#4b525a")
        d.circle(px, py, 1.2)
    d.pop()

    # Die block in the slot, a little above the middle, and the rod to the valve.
    die = -8.0
    dx, dy = polar(cx, cy, R, die)
    d.push()
    d.linecap("round")
    d.stroke("#0b0f14", 5.0)
    d.line(dx, dy, 61, dy)
    d.stroke("#aeb6bf", 3.2)
    d.line(dx, dy, 61, dy)
    d.pop()
    d.push()
    d.translate(dx, dy)
    d.rotate(die)
    d.stroke("#4a0d08", 0.9)
    d.fill("#d2452f")
    d.roundrect(-4.2, -5.5, 4.2, 5.5, 1.6)
    d.raw("stroke none")
    d.fill("#f08a72")
    d.rect(-2.8, -4.2, -1.2, 4.2)
    d.pop()
    d.push()
    d.stroke("#4a0d08", 0.6)
    d.fill("#e7e7e7")
    d.circle(dx, dy, 1.5)
    d.pop()
    return d


def make_icon():
    d = draw_icon()
    png = os.path.join(OUT, "icon64.png")
    d.render(png, supersample=4, extra=["-strip", "-depth", "8"])
    # The same picture on white for places that want a plain bitmap.
    run("convert", png, "-background", "white", "-flatten", "-type", "TrueColor",
        "BMP3:" + os.path.join(OUT, "icon64.bmp"))
    # A smaller copy for the help book's title.
    run("convert", png, "-strip", os.path.join(HELP, "icon64.png"))
    # Twice the size, for the about box and the window icon on a 2x screen.
    d.render(os.path.join(OUT, "icon128.png"), supersample=4, extra=["-strip", "-depth", "8"], out_scale=2)


# --------------------------------------------------------------------------------------------
# Help picture of the dimension diagram: the same drawing that "Show Dimensions" puts up, in
# the same 670 x 300 frame, with numbered tags that the help text refers to.
# --------------------------------------------------------------------------------------------

DIM_GREEN = "#008000"
DIM_BLUE = "#0000ff"


def gdi_arc(d, x1, y1, x2, y2, sx, sy, ex, ey, steps=60):
    """The arc of the ellipse in the box (x1,y1)-(x2,y2), counter-clockwise on the screen from
    the ray through (sx,sy) to the ray through (ex,ey), as the program's canvas draws it."""
    cx, cy = (x1 + x2) / 2.0, (y1 + y2) / 2.0
    rx, ry = abs(x2 - x1) / 2.0, abs(y2 - y1) / 2.0
    a0 = math.atan2(-(sy - cy), sx - cx)        # mathematical angles, y up
    a1 = math.atan2(-(ey - cy), ex - cx)
    if a1 <= a0:
        a1 += 2 * math.pi
    pts = []
    for i in range(steps + 1):
        a = a0 + (a1 - a0) * i / steps
        pts.append((cx + rx * math.cos(a), cy - ry * math.sin(a)))
    for (xa, ya), (xb, yb) in zip(pts, pts[1:]):
        d.line(xa, ya, xb, yb)


def make_dimension_picture():
    d = help_drawing(670, 300)

    # Centre lines, dash-dot.
    d.push()
    d.stroke("#404040", 1)
    d.dash(10, 3, 2, 3)
    for x1, y1, x2, y2 in ((20, 197, 620, 197), (74, 0, 74, 220), (587, 10, 587, 50),
                           (550, 35, 620, 35), (90, 35, 550, 180), (90, 35, 550, 154),
                           (90, 35, 498, 266), (90, 35, 590, 235)):
        d.line(x1, y1, x2, y2)
    d.pop()

    # The link: an arc of radius 520 about (75, 5).
    d.push()
    d.stroke(DIM_GREEN, 2)
    d.fill("none")
    gdi_arc(d, -445, 525, 595, -515, 498, 270, 550, 145)
    d.pop()

    def circle_box(x1, y1, x2, y2):
        d.circle((x1 + x2) / 2.0, (y1 + y2) / 2.0, (x2 - x1) / 2.0)

    # Members, green, width 2; circles filled white.
    d.push()
    d.stroke(DIM_GREEN, 2)
    d.fill("white")
    d.line(26, 137, 585, 197)                                  # connecting rod
    d.line(74, 197, 26, 137)                                   # main crank
    d.line(74, 197, 104, 188)                                  # eccentric radii
    d.line(74, 197, 60, 224)
    d.line(550, 154, 104, 188)                                 # eccentric rods
    d.line(498, 266, 60, 224)
    d.line(550, 154, 498, 266)                                 # pins on the link
    d.line(503, 56, 550, 180)                                  # lifting link
    d.line(503, 56, 587, 35)                                   # lifting arm
    for box in ((21, 132, 31, 142), (580, 192, 590, 202), (69, 192, 79, 202), (99, 183, 109, 193),
                (55, 219, 65, 229), (545, 149, 555, 159), (493, 261, 503, 271),
                (498, 51, 508, 61), (545, 175, 555, 185), (582, 30, 592, 40)):
        circle_box(*box)
    d.pop()

    # Distances and the angle of advance, blue, width 1.
    d.push()
    d.stroke(DIM_BLUE, 1)
    d.fill("none")
    d.line(75, 15, 587, 15)                                    # axle to weighshaft, horizontal
    d.line(600, 35, 600, 197)                                  # axle to weighshaft, vertical
    d.line(550, 154, 572, 160)                                 # rod pin to slot
    d.line(550, 180, 535, 214)                                 # circumferential displacement
    d.line(550, 180, 560, 183)                                 # radial displacement
    d.line(134, 178, 74, 197)                                  # angle of advance
    d.line(35, 230, 126, 153)
    gdi_arc(d, 24, 247, 124, 147, 104, 188, 126, 153)
    d.pop()

    # Numbered tags: (number, colour, tag centre, point the leader goes to), numbered in the
    # order of the boxes on the data-entry window.
    tags = [
        (1, DIM_GREEN, (200, 138), (200, 155)),
        (2, DIM_GREEN, (22, 176), (46, 163)),
        (3, DIM_GREEN, (38, 246), (64, 216)),
        (4, DIM_BLUE, (160, 116), (126, 152)),
        (5, DIM_GREEN, (330, 272), (330, 251)),
        (6, DIM_BLUE, (588, 148), (568, 158)),
        (7, DIM_BLUE, (330, 15), None),
        (8, DIM_BLUE, (622, 116), (600, 116)),
        (9, DIM_GREEN, (538, 27), (545, 45)),
        (10, DIM_GREEN, (496, 104), (521, 105)),
        (11, DIM_GREEN, (486, 226), (512, 232)),
        (12, DIM_BLUE, (566, 222), (543, 198)),
        (13, DIM_BLUE, (588, 177), (561, 183)),
    ]
    for number, colour, (tx, ty), target in tags:
        if target is not None:
            d.push()
            d.stroke("#707070", 0.8)
            d.line(tx, ty, target[0], target[1])
            d.pop()
        d.push()
        d.stroke(colour, 1.3)
        d.fill("white")
        d.circle(tx, ty, 8.5)
        d.pop()
        d.text(tx, ty + 4.5, str(number), 12, SANS_BOLD, colour, anchor="middle")

    # A few names of joints, in grey.
    grey = "#606060"
    d.text(78, 290, "crank axle", 11, SANS, grey, anchor="middle")
    d.push()
    d.stroke("#a0a0a0", 0.6)
    d.line(76, 280, 74, 203)
    d.pop()
    d.text(14, 128, "crank pin", 11, SANS, grey)
    d.text(626, 214, "crosshead", 11, SANS, grey, anchor="middle")
    d.text(667, 54, "weighshaft", 11, SANS, grey, anchor="end")
    d.text(548, 292, "link", 11, SANS, grey, anchor="middle")
    d.text(470, 52, "lifting arm end", 11, SANS, grey, anchor="end")
    d.text(118, 214, "eccentrics", 11, SANS, grey)

    d.render("PNG8:" + os.path.join(HELP, "dimensions.png"), supersample=2,
             extra=["-strip", "-depth", "8", "+dither", "-colors", "128",
                    "-fuzz", "1%", "-fill", "white", "-opaque", "white"])


# --------------------------------------------------------------------------------------------
# Help picture of a valve diagram, drawn the way the results window draws it, for an example
# slide valve (outside admission) with the eight valve events marked.  The motion is a plain
# harmonic valve motion with connecting-rod obliquity, which is near enough to explain the
# diagram; the program itself uses the full link geometry.
# --------------------------------------------------------------------------------------------


def example_valve_motion(crank=13.0, conrod=78.0, travel_half=2.6, lap=1.0, lead=0.15):
    """Piston and valve displacement at every 2 degrees (181 samples, the last = the first),
    with the program's signs for an outside-admission valve: step 0 is the back dead centre."""
    delta = math.asin((lap + lead) / travel_half)
    piston, valve = [], []
    for k in range(180):
        t = math.radians(2 * k)
        piston.append(-crank * math.cos(t) + math.sqrt(conrod ** 2 - (crank * math.sin(t)) ** 2) - conrod)
        valve.append(travel_half * math.sin(t + delta))
    piston.append(piston[0])
    valve.append(valve[0])
    return piston, valve


def first_crossing(piston, valve, level, rising):
    for i in range(180):
        a, b = valve[i], valve[i + 1]
        if (rising and a < level < b) or (not rising and a > level > b):
            return piston[i] + (piston[i + 1] - piston[i]) * (level - a) / (b - a)
    return None


def make_valve_diagram_picture():
    crank, lap, exlap, port = 13.0, 1.0, 0.0625, 1.5
    piston, valve = example_valve_motion(crank=crank, lap=lap)
    stroke_scale, travel_scale = 2 * crank, 6 * lap

    W, H = 640, 330
    X0, Y0, PW, PH = 150, 30, 340, 230          # the plot, like the results window's image

    def col(u):
        return X0 + PW * u

    def row(v):
        return Y0 + PH * (1 - v)

    def point(p, v):
        return col(p / stroke_scale + 0.5), row(v / travel_scale + 0.5)

    d = help_drawing(W, H)
    d.push()
    d.stroke("#008000", 1)                      # grid: vertical lines every tenth of the stroke
    for i in range(1, 10):
        d.line(col(i / 10.0), row(0), col(i / 10.0), row(1))
    d.stroke("black", 1)                        # axis
    d.line(col(0), row(0.5), col(1), row(0.5))
    d.stroke("#00ff00", 1.6)                    # lap lines
    for sgn in (1, -1):
        d.line(col(0), row(0.5 + sgn * lap / travel_scale), col(1), row(0.5 + sgn * lap / travel_scale))
    d.stroke("#ff00ff", 1.6)                    # port lines
    for sgn in (1, -1):
        y = row(0.5 + sgn * (lap + port) / travel_scale)
        d.line(col(0), y, col(1), y)
    d.stroke("#ff0000", 1.6)                    # the valve curve
    d.fill("none")
    pts = [point(p, v) for p, v in zip(piston, valve)]
    for (xa, ya), (xb, yb) in zip(pts, pts[1:]):
        d.line(xa, ya, xb, yb)
    d.stroke("#0000ff", 3)                      # frame
    d.rect(col(0), row(1), col(1), row(0))
    d.pop()

    # Axis names, as on the results window.
    d.text(X0 - 8, Y0 + 10, "Front", 12, SANS, anchor="end")
    d.text(X0 - 8, Y0 + PH, "Back", 12, SANS, anchor="end")
    d.push()
    d.translate(16, Y0 + PH / 2)
    d.rotate(-90)
    d.text(0, 0, "VALVE", 12, SANS, anchor="middle")
    d.pop()
    d.text(X0, Y0 + PH + 17, "Back", 12, SANS, anchor="middle")
    d.text(X0 + PW / 2, Y0 + PH + 17, "PISTON", 12, SANS, anchor="middle")
    d.text(X0 + PW, Y0 + PH + 17, "Front", 12, SANS, anchor="middle")

    # The eight events: (text, level, rising?, label x, label y, anchor).
    mid = row(0.5)
    events = [
        ("admission, back", lap, True, 60, row(0.5 + lap / travel_scale) - 26, "end"),
        ("release, front", exlap, True, 60, mid - 12, "end"),
        ("compression, back", -exlap, True, 60, mid + 20, "end"),
        ("cut-off, front", -lap, True, 60, row(0.5 - lap / travel_scale) + 32, "end"),
        ("cut-off, back", lap, False, 580, row(0.5 + lap / travel_scale) - 26, "start"),
        ("compression, front", exlap, False, 580, mid - 12, "start"),
        ("release, back", -exlap, False, 580, mid + 20, "start"),
        ("admission, front", -lap, False, 580, row(0.5 - lap / travel_scale) + 32, "start"),
    ]
    for text, level, rising, lx, ly, anchor in events:
        p = first_crossing(piston, valve, level, rising)
        x, y = point(p, level)
        tx = lx + (86 if anchor == "end" else -86)
        d.push()
        d.stroke("#505050", 0.7)
        d.line(x, y, tx, ly - 4)
        d.pop()
        d.push()
        d.stroke("black", 1)
        d.fill("white")
        d.circle(x, y, 3)
        d.pop()
        d.text(tx + (-3 if anchor == "end" else 3), ly, text, 12, SANS,
               anchor="end" if anchor == "end" else "start")

    # Legend, as on the results window.
    d.text(X0, H - 14, "Lap line _____", 13, SANS_BOLD, "#00c000")
    d.text(X0 + 130, H - 14, "Port line _____", 13, SANS_BOLD, "#ff00ff")
    d.text(X0 + 265, H - 14, "Valve curve", 13, SANS_BOLD, "#ff0000")

    d.render("PNG8:" + os.path.join(HELP, "valve_diagram.png"), supersample=2,
             extra=["-strip", "-depth", "8", "+dither", "-colors", "128",
                    "-fuzz", "1%", "-fill", "white", "-opaque", "white"])


# --------------------------------------------------------------------------------------------
# Help picture of the two kinds of valve in mid position, with steam lap, exhaust lap and port
# width marked.  A sketch, not to scale: the laps are drawn large enough to be seen.
# --------------------------------------------------------------------------------------------

STEAM = "#fbd5cf"
EXHAUST = "#d9e4ef"
METAL = "#9aa3ab"
VALVE_METAL = "#c3cad1"


def hdim(d, x1, x2, y, label, label_y=None, colour="#000000"):
    """Horizontal dimension from x1 to x2 at height y with a label centred under or over it."""
    d.push()
    d.stroke(colour, 0.8)
    d.line(x1, y, x2, y)
    d.pop()
    d.arrow_head(x1, y, x2, y, 5, 2)
    d.arrow_head(x2, y, x1, y, 5, 2)
    if label:
        d.text((x1 + x2) / 2.0, label_y if label_y is not None else y - 5, label, 11, SANS, colour,
               anchor="middle")


def vguide(d, x, y1, y2):
    d.push()
    d.stroke("#505050", 0.6)
    d.dash(2, 2)
    d.line(x, y1, x, y2)
    d.pop()


def make_valve_picture():
    d = help_drawing(640, 270)
    LAP, EXL = 14, 7          # drawn steam lap and exhaust lap (exaggerated)

    # ---- Outside admission: slide valve on its port face --------------------------------------
    d.text(160, 18, "Outside admission: slide valve", 13, SANS_BOLD, anchor="middle")
    face = 160
    back = (70, 100)
    exh = (140, 180)
    front = (220, 250)
    d.push()
    d.stroke("black", 1.2)
    d.fill(STEAM)
    d.rect(30, 60, 290, face)                              # steam chest full of live steam
    d.fill(METAL)
    d.rect(30, face, 290, 212)                             # cylinder casting with the ports
    d.fill(EXHAUST)
    d.rect(back[0], face, back[1], 212)
    d.rect(front[0], face, front[1], 212)
    d.rect(exh[0], face, exh[1], 212)
    d.pop()
    # The valve: its faces cover the steam ports with the steam lap outside and the exhaust
    # lap inside; the cavity between the faces leads to the exhaust port.
    vx0, vx1 = back[0] - LAP, front[1] + LAP
    cx0, cx1 = back[1] + EXL, front[0] - EXL
    d.push()
    d.stroke("black", 1.2)
    d.fill(VALVE_METAL)
    d.polygon([(vx0, face), (vx0, 112), (vx1, 112), (vx1, face), (cx1, face), (cx1, 128),
               (cx0, 128), (cx0, face)])
    d.fill(EXHAUST)
    d.rect(cx0 + 0.6, 128.6, cx1 - 0.6, face - 0.6)
    d.pop()
    d.push()
    d.stroke("black", 2)
    d.line(20, 124, vx0, 124)                              # valve spindle (to the back)
    d.pop()
    d.text(100, 80, "live steam", 11, SANS, anchor="middle")
    d.text(160, 146, "cavity", 10, SANS, anchor="middle")
    for (a, b), name in ((back, "back"), (exh, "exhaust"), (front, "front")):
        d.text((a + b) / 2.0, 226, name, 11, SANS, anchor="middle")
    # Dimensions.
    for x in (vx0, back[0]):
        vguide(d, x, 100, face)
    hdim(d, vx0, back[0], 104, "", None)
    d.text(vx0 - 2, 53, "steam lap", 11, SANS, anchor="start")
    d.push()
    d.stroke("#505050", 0.6)
    d.line(vx0 + 7, 56, (vx0 + back[0]) / 2.0, 101)
    d.pop()
    for x in (back[1], cx0):
        vguide(d, x, face, 246)
    hdim(d, back[1], cx0, 244, "", None)
    d.text(cx0 + 4, 262, "exhaust lap", 11, SANS, anchor="start")
    d.push()
    d.stroke("#505050", 0.6)
    d.line(cx0 + 8, 253, (back[1] + cx0) / 2.0, 246)
    d.pop()
    vguide(d, back[0], 212, 246)
    hdim(d, back[0], back[1], 240, "port", 262)

    # ---- Inside admission: piston valve in its liner ------------------------------------------
    ox = 330
    d.text(ox + 150, 18, "Inside admission: piston valve", 13, SANS_BOLD, anchor="middle")
    top, bore = 100, 160
    back = (ox + 70, ox + 100)
    front = (ox + 200, ox + 230)
    d.push()
    d.stroke("black", 1.2)
    d.fill(EXHAUST)
    d.rect(ox + 10, top, ox + 290, bore)                   # the liner: exhaust at both ends
    d.fill(STEAM)
    d.rect(back[1] + LAP, top, front[0] - LAP, bore)       # live steam between the heads
    d.fill(METAL)
    d.rect(ox + 10, bore, ox + 290, 212)                   # cylinder casting with the ports
    d.rect(ox + 10, 70, ox + 290, top)                     # upper wall of the valve chest
    d.fill(EXHAUST)
    d.rect(back[0], bore, back[1], 212)
    d.rect(front[0], bore, front[1], 212)
    d.fill(STEAM)
    d.rect(ox + 125, 70, ox + 175, top)                    # steam comes in at the middle
    d.pop()
    # The heads: each covers its port with the steam lap on the inside and the exhaust lap on
    # the outside.
    heads = ((back[0] - EXL, back[1] + LAP), (front[0] - LAP, front[1] + EXL))
    d.push()
    d.stroke("black", 2)
    d.line(ox + 2, (top + bore) / 2.0, heads[1][1], (top + bore) / 2.0)   # spindle
    d.stroke("black", 1.2)
    d.fill(VALVE_METAL)
    for a, b in heads:
        d.rect(a, top + 1, b, bore - 1)
    d.pop()
    d.text(ox + 150, 122, "live steam", 11, SANS, anchor="middle")
    d.text(ox + 36, 92, "exhaust", 11, SANS, anchor="middle")
    d.text(ox + 264, 92, "exhaust", 11, SANS, anchor="middle")
    d.push()
    d.stroke("#505050", 0.6)
    d.line(ox + 36, 95, ox + 36, 112)
    d.line(ox + 264, 95, ox + 264, 112)
    d.pop()
    d.text(ox + 150, 62, "steam in", 11, SANS, anchor="middle")
    d.text((back[0] + back[1]) / 2.0, 226, "back", 11, SANS, anchor="middle")
    d.text((front[0] + front[1]) / 2.0, 226, "front", 11, SANS, anchor="middle")
    # Dimensions, on the front head.
    for x in (front[0] - LAP, front[0]):
        vguide(d, x, bore, 246)
    hdim(d, front[0] - LAP, front[0], 244, "", None)
    d.text(front[0] - LAP - 6, 262, "steam lap", 11, SANS, anchor="end")
    d.push()
    d.stroke("#505050", 0.6)
    d.line(front[0] - LAP - 8, 254, front[0] - LAP / 2.0, 246)
    d.pop()
    for x in (front[1], front[1] + EXL):
        vguide(d, x, bore, 246)
    hdim(d, front[1], front[1] + EXL, 244, "", None)
    d.text(front[1] + EXL + 6, 262, "exhaust lap", 11, SANS, anchor="start")
    d.push()
    d.stroke("#505050", 0.6)
    d.line(front[1] + EXL + 8, 254, front[1] + EXL / 2.0, 246)
    d.pop()
    vguide(d, back[0], 212, 246)
    vguide(d, back[1], 212, 246)
    hdim(d, back[0], back[1], 240, "port", 262)

    d.render("PNG8:" + os.path.join(HELP, "valves.png"), supersample=2,
             extra=["-strip", "-depth", "8", "+dither", "-colors", "128",
                    "-fuzz", "1%", "-fill", "white", "-opaque", "white"])


# --------------------------------------------------------------------------------------------


def main():
    os.makedirs(HELP, exist_ok=True)
    if shutil.which("convert") is None:
        sys.exit("ImageMagick's convert is needed (apt-get install imagemagick)")
    make_rockers()
    make_splash()
    make_icon()
    make_dimension_picture()
    make_valve_diagram_picture()
    make_valve_picture()


if __name__ == "__main__":
    main()
