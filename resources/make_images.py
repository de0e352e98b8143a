#!/usr/bin/env python3
"""Draws the page icons and the banner with ImageMagick's `convert`, and the same drawings as SVG for the web page,
where a screen of two or three pixels to the point shows them sharp.

Run from anywhere with Debian's python3 (the SVG's letters are the font's outlines, read with python3-fonttools);
writes into resources/images/ and resources/win32/. The pictures are committed, so building the program never
needs ImageMagick or fontTools.
"""
import math
import pathlib
import shlex
import subprocess

from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTFont

OUT = pathlib.Path(__file__).resolve().parent / "images"
BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
BOOK = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"


def convert(*args):
    subprocess.run(["convert", *args], check=True)


def icon(path, draw, *colours):
    convert("-size", "16x16", "xc:none", "-draw", " ".join(draw), *colours, f"PNG32:{path}")
    write_svg(path, 16, 16, "", " ".join(draw))


def calculator_icon(path):
    # A pocket calculator: slate body, green display, a grid of keys, one orange key.
    draw = [
        "fill #34495e stroke #1c2833 roundrectangle 2,0 13,15 2,2",
        "fill #b9e4a3 stroke #6b8f5a rectangle 4,2 11,5",
        "fill #1c2833 stroke none rectangle 6,3 10,3",
    ]
    for row, y in enumerate((7, 10, 13)):
        for col, x in enumerate((4, 7, 10)):
            color = "#f39c12" if (row, col) == (2, 2) else "#ecf0f1"
            draw.append(f"fill {color} rectangle {x},{y} {x + 1},{y + 1}")
    icon(path, draw, "-colors", "16")


def editor_icon(path):
    # A microcontroller in a DIP package with a pencil across it: the profiles describe chips.
    draw = ["fill #bdc3c7 stroke none"]
    for y in (3, 6, 9, 12):
        draw.append(f"rectangle 1,{y} 3,{y + 1}")
        draw.append(f"rectangle 12,{y} 14,{y + 1}")
    draw += [
        "fill #2c3e50 stroke #17202a roundrectangle 3,1 12,15 1,1",
        "fill #17202a stroke none circle 7.5,1.5 7.5,3",
        "fill #ecf0f1 circle 5,4 5.8,4",
        "stroke #d35400 stroke-width 2 line 8,13 13,8",
        "stroke #f5cba7 stroke-width 2 line 7,14 8,13",
        "stroke #e74c3c stroke-width 2 line 13,8 14,7",
    ]
    icon(path, draw, "-colors", "256")


def about_icon(path):
    # The usual "information" mark: a white i on a blue disc with a light rim.
    draw = [
        "fill #2e86de stroke #1b4f8a circle 7.5,7.5 7.5,0.5",
        "fill white stroke none circle 7.5,4 7.5,2.6",
        "rectangle 6.5,6.5 8.5,12",
        "rectangle 5.5,11.5 9.5,12.5",
        "rectangle 5.5,6.5 8.5,7.5",
    ]
    icon(path, draw)


def banner(path):
    # Deep blue to teal, a loop arrow, the name, a line of purpose and a pulse train: delays.
    pulses = []
    for i in range(3):
        x = 292 + i * 28
        pulses += [(x, 58), (x, 34), (x + 14, 34), (x + 14, 58)]
    wave = " ".join(f"{x},{y}" for x, y in pulses + [(376, 58)])
    layers = [  # fill, stroke, stroke width, font, size, the shape
        ("none", "#f5b041", 5, None, None, "arc 14,12 58,56 -60,250"),
        ("#f5b041", "none", None, None, None, "polygon 47,6 60,18 43,22"),
        ("white", None, None, BOLD, 30, "text 72,38 'Loopsmith'"),
        ("#aee3f0", None, None, BOOK, 11, "text 74,56 'PIC delay loops, exact to the cycle'"),
        ("none", "#7fd3e6", 2, None, None, f"polyline 286,58 {wave}"),
        ("#d6f1f7", "none", None, BOLD, 9, "text 340,20 'v 1.7'"),
    ]
    args, mvg = [], []
    for fill, stroke, width, font, size, shape in layers:
        for option, word, value in (("-fill", "fill", fill), ("-stroke", "stroke", stroke),
                                    ("-strokewidth", "stroke-width", width), ("-font", "font", font),
                                    ("-pointsize", "font-size", size)):
            if value is not None:
                args += [option, str(value)]
                mvg.append(f"{word} {value}")
        args += ["-draw", shape]
        mvg.append(shape)
    convert("-size", "68x381", "gradient:#0b2545-#13718a", "-rotate", "-90", *args,
            "-colors", "256", f"PNG24:{path}")
    # The gradient runs from left to right, as the turned one does.
    ground = ('<linearGradient id="g"><stop offset="0" stop-color="#0b2545"/>'
              '<stop offset="1" stop-color="#13718a"/></linearGradient>'
              '<rect width="381" height="68" fill="url(#g)"/>')
    write_svg(path, 381, 68, ground, " ".join(mvg))


def write_svg(png, width, height, ground, mvg):
    # The drawing beside its PNG. ImageMagick puts a pixel's centre on whole coordinates, SVG its corner:
    # the shapes move half a pixel.
    body = "".join(svg_shapes(mvg))
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
           f'viewBox="0 0 {width} {height}">{ground}<g transform="translate(.5 .5)">{body}</g></svg>\n')
    png.with_suffix(".svg").write_text(svg)


def number(value):
    return f"{value:.2f}".rstrip("0").rstrip(".")


def svg_shapes(mvg):
    # The few drawing words the pictures use, with ImageMagick's state of fill, stroke and font.
    state = {"fill": "black", "stroke": "none", "stroke-width": "1", "font": BOOK, "font-size": "12"}
    words = shlex.split(mvg)
    at = 0

    def point():
        nonlocal at
        at += 1
        return tuple(float(v) for v in words[at].split(","))

    def paint():
        width = "" if state["stroke"] == "none" else f' stroke-width="{state["stroke-width"]}"'
        return f'fill="{state["fill"]}" stroke="{state["stroke"]}"{width}'

    while at < len(words):
        word = words[at]
        if word in state:
            at += 1
            state[word] = words[at]
        elif word in ("rectangle", "roundrectangle"):
            (x1, y1), (x2, y2) = point(), point()
            # Unstroked, the fill covers the end pixels whole.
            grow = 0 if state["stroke"] != "none" else 0.5
            corner = ""
            if word == "roundrectangle":
                rx, ry = point()
                corner = f' rx="{number(rx)}" ry="{number(ry)}"'
            yield (f'<rect x="{number(x1 - grow)}" y="{number(y1 - grow)}" width="{number(x2 - x1 + 2 * grow)}" '
                   f'height="{number(y2 - y1 + 2 * grow)}"{corner} {paint()}/>')
        elif word == "circle":
            (cx, cy), (px, py) = point(), point()
            r = math.hypot(px - cx, py - cy)
            yield f'<circle cx="{number(cx)}" cy="{number(cy)}" r="{number(r)}" {paint()}/>'
        elif word == "line":
            (x1, y1), (x2, y2) = point(), point()
            yield f'<line x1="{number(x1)}" y1="{number(y1)}" x2="{number(x2)}" y2="{number(y2)}" {paint()}/>'
        elif word == "arc":
            (x1, y1), (x2, y2), (a0, a1) = point(), point(), point()
            cx, cy, rx, ry = (x1 + x2) / 2, (y1 + y2) / 2, (x2 - x1) / 2, (y2 - y1) / 2
            ends = [(cx + rx * math.cos(math.radians(a)), cy + ry * math.sin(math.radians(a))) for a in (a0, a1)]
            large = 1 if a1 - a0 > 180 else 0
            # ImageMagick's arc is closed by its chord.
            yield (f'<path d="M{number(ends[0][0])} {number(ends[0][1])}A{number(rx)} {number(ry)} 0 {large} 1 '
                   f'{number(ends[1][0])} {number(ends[1][1])}Z" stroke-linejoin="round" {paint()}/>')
        elif word in ("polygon", "polyline"):
            points = []
            while at + 1 < len(words) and "," in words[at + 1]:
                points.append(point())
            listed = " ".join(f"{number(x)},{number(y)}" for x, y in points)
            yield f'<{word} points="{listed}" {paint()}/>'
        elif word == "text":
            (x, y) = point()
            at += 1
            letters = text_outline(state["font"], float(state["font-size"]), x, y, words[at])
            yield f'<path d="{letters}" {paint()}/>'
        else:
            raise ValueError(f"no SVG for the drawing word {word!r}")
        at += 1


def text_outline(font_file, size, x, y, text):
    # The letters as the font draws them, so that the page needs no font of the name; pairs kerned by the
    # font's kerning table, as ImageMagick's FreeType does.
    font = TTFont(font_file)
    glyphs = font.getGlyphSet()
    names = [font.getBestCmap()[ord(c)] for c in text]
    kerning = {}
    if "kern" in font:
        for table in font["kern"].kernTables:
            kerning.update(table.kernTable)
    scale = size / font["head"].unitsPerEm
    pen = SVGPathPen(glyphs, ntos=number)
    for i, name in enumerate(names):
        glyphs[name].draw(TransformPen(pen, (scale, 0, 0, -scale, x, y)))
        x += glyphs[name].width * scale
        if i + 1 < len(names):
            x += kerning.get((name, names[i + 1]), 0) * scale
    return pen.getCommands()


def main():
    OUT.mkdir(exist_ok=True)
    calculator_icon(OUT / "page_calculator.png")
    editor_icon(OUT / "page_editor.png")
    about_icon(OUT / "page_about.png")
    banner(OUT / "banner.png")
    windows_resources()


def windows_resources():
    # The same pictures in the formats a Windows resource script takes.
    win = OUT.parent / "win32"
    win.mkdir(exist_ok=True)
    for name in ("page_calculator", "page_editor", "page_about"):
        convert(str(OUT / f"{name}.png"), str(win / f"{name}.ico"))
    convert(str(OUT / "banner.png"), "-type", "TrueColor", f"BMP3:{win / 'banner.bmp'}")
    convert(str(OUT.parent / "loopsmith-64.png"), "-define", "icon:auto-resize=64,48,32,16",
            str(win / "loopsmith.ico"))


if __name__ == "__main__":
    main()
