#!/usr/bin/env python3
"""Draws the page icons and the banner with ImageMagick's `convert`.

Run from anywhere; writes into resources/images/ and resources/win32/. The PNGs are committed, so building the
program never needs ImageMagick.
"""
import pathlib
import subprocess

OUT = pathlib.Path(__file__).resolve().parent / "images"
BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
BOOK = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"


def convert(*args):
    subprocess.run(["convert", *args], check=True)


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
    convert("-size", "16x16", "xc:none", "-draw", " ".join(draw), "-colors", "16",
            f"PNG32:{path}")


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
    convert("-size", "16x16", "xc:none", "-draw", " ".join(draw), "-colors", "256",
            f"PNG32:{path}")


def about_icon(path):
    # The usual "information" mark: a white i on a blue disc with a light rim.
    draw = [
        "fill #2e86de stroke #1b4f8a circle 7.5,7.5 7.5,0.5",
        "fill white stroke none circle 7.5,4 7.5,2.6",
        "rectangle 6.5,6.5 8.5,12",
        "rectangle 5.5,11.5 9.5,12.5",
        "rectangle 5.5,6.5 8.5,7.5",
    ]
    convert("-size", "16x16", "xc:none", "-draw", " ".join(draw), f"PNG32:{path}")


def banner(path):
    # Deep blue to teal, a loop arrow, the name, a line of purpose and a pulse train: delays.
    pulses = []
    for i in range(3):
        x = 292 + i * 28
        pulses += [(x, 58), (x, 34), (x + 14, 34), (x + 14, 58)]
    wave = " ".join(f"{x},{y}" for x, y in pulses + [(376, 58)])
    convert(
        "-size", "68x381", "gradient:#0b2545-#13718a", "-rotate", "-90",
        "-fill", "none", "-stroke", "#f5b041", "-strokewidth", "5",
        "-draw", "arc 14,12 58,56 -60,250",
        "-fill", "#f5b041", "-stroke", "none",
        "-draw", "polygon 47,6 60,18 43,22",
        "-fill", "white", "-font", BOLD, "-pointsize", "30",
        "-draw", "text 72,38 'Loopsmith'",
        "-fill", "#aee3f0", "-font", BOOK, "-pointsize", "11",
        "-draw", "text 74,56 'PIC delay loops, exact to the cycle'",
        "-fill", "none", "-stroke", "#7fd3e6", "-strokewidth", "2",
        "-draw", f"polyline 286,58 {wave}",
        "-stroke", "none", "-fill", "#d6f1f7", "-font", BOLD, "-pointsize", "9",
        "-draw", "text 340,20 'v 1.7'",
        "-colors", "256", f"PNG24:{path}",
    )


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
