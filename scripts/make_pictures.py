#!/usr/bin/env python3
# Draws every picture the program and its help book use, and writes them into resources/.
# Each picture is described in ImageMagick's vector language (MVG) and rendered with `convert`.
# Run from the repository root:  python3 scripts/make_pictures.py
"""Picture generator for Vardenlyke Zovuderiz.

Outputs (all under resources/):
  rocker_a.bmp, rocker_b.bmp   200x200 16-colour Windows bitmaps of the two rocker types
  splash.jpg                   403x306 colour picture of a locomotive for the start-up window
  icon64.png, icon64.bmp       64x64 program icon
  help/*.png                   pictures embedded in the help book
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
SERIF_ITALIC = os.path.join(FONT_DIR, "DejaVuSerif-Italic.ttf")
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

    def linejoin(self, join):
        self.raw("stroke-linejoin %s" % join)

    def opacity(self, value):
        self.raw("fill-opacity %s" % fmt(float(value)))

    def stroke_opacity(self, value):
        self.raw("stroke-opacity %s" % fmt(float(value)))

    def scale(self, s):
        self.raw("scale %s,%s" % (fmt(float(s)), fmt(float(s))))

    def translate(self, x, y):
        self.raw("translate %s,%s" % (fmt(float(x)), fmt(float(y))))

    def rotate(self, degrees):
        self.raw("rotate %s" % fmt(float(degrees)))

    def linear_gradient(self, name, x1, y1, x2, y2, stops):
        """Defines a gradient usable as fill 'url(#name)'. stops: [(offset, colour), ...]"""
        self.raw("push defs")
        self.raw(
            "push gradient '%s' linear %s,%s %s,%s"
            % (name, fmt(float(x1)), fmt(float(y1)), fmt(float(x2)), fmt(float(y2)))
        )
        for offset, colour in stops:
            self.raw("stop-color '%s' %s" % (colour, fmt(float(offset))))
        self.raw("gradient-units 'userSpaceOnUse'")
        self.raw("pop gradient")
        self.raw("pop defs")

    # -- shapes ------------------------------------------------------------------------------
    def line(self, x1, y1, x2, y2):
        self.raw("line %s,%s %s,%s" % tuple(fmt(float(v)) for v in (x1, y1, x2, y2)))

    def polyline(self, pts):
        self.raw("polyline " + " ".join("%s,%s" % (fmt(float(x)), fmt(float(y))) for x, y in pts))

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

    def render(self, out_path, supersample=1, antialias=True, extra=()):
        """Renders the drawing to out_path (format from the extension or a FORMAT: prefix).

        supersample > 1 draws at that many times the size and shrinks the result, which gives
        smoother edges than ImageMagick's own antialiasing on small pictures."""
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
            cmd += ["-filter", "Lanczos", "-resize", "%dx%d!" % (self.width, self.height)]
        cmd += list(extra)
        cmd += [out_path]
        subprocess.run(cmd, check=True)


def run(*args):
    subprocess.run(list(args), check=True)


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
    """A short double-shafted motion arrow centred on (x, y), pointing right (+1) or left (-1)."""
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
        png = os.path.join(HELP, name + ".png")
        # Render once in full colour depth, then reduce to a 16-colour palette.
        d.render(png, supersample=2)
        run("convert", png, "+dither", "-colors", "16", "-type", "Palette",
            "BMP3:" + os.path.join(OUT, name + ".bmp"))
        # The help book shows the same 16-colour picture.
        run("convert", os.path.join(OUT, name + ".bmp"), "-strip", "PNG8:" + png)


# --------------------------------------------------------------------------------------------


def main():
    os.makedirs(HELP, exist_ok=True)
    if shutil.which("convert") is None:
        sys.exit("ImageMagick's convert is needed (apt-get install imagemagick)")
    make_rockers()


if __name__ == "__main__":
    main()
