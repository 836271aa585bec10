#!/usr/bin/python3
"""Measures, on a screenshot of the main window, the contrast of every text a user types or
reads (the seven fields, the result labels, the degree sign, the captions and choices) against
the background it stands on, and fails when one is below 4.5:1.

  contrast-check.py --run build/release/app/quilvar [--theme light|dark] [--scale S]
                    [--display N] [--keep FILE.png]
      starts Xvfb (server N, default 119), openbox and the program under Qt's GTK theme with
      Adwaita or Adwaita-dark, takes the screenshot, measures, stops what it started.
  contrast-check.py --shot FILE.png --origin X,Y [--scale S]
      measures an existing screenshot whose window client area starts at X,Y.

Needs Xvfb, openbox, xwininfo and ImageMagick (import, convert). For each item the background
is the most frequent colour of its box and the ink the pixel that differs most from it, so
anti-aliased edges do not count against a text whose strokes are legible."""

import argparse
import collections
import os
import re
import subprocess
import sys
import time

TITLE = "Calculs pour un panneau trapézoïdal"
LIST_TITLE = "Fiche de débit"

# Boxes in the window's logical pixels (left, top, width, height), inside the item.
FIELDS = {
    "EditAngle": (15, 40, 30, 21), "EditGrandExt": (0, 310, 41, 21),
    "EditPetitExt": (312, 400, 49, 21), "EditLargBois": (320, 496, 41, 21),
    "EditLargeur": (145, 576, 41, 21), "EditTenon": (488 + 152, 448 + 24, 57, 21),
    "EditEpaisseur": (488 + 152, 448 + 64, 57, 21),
}
LABELS = {  # result labels size themselves to three digits: 20 x 12 lies inside
    "LabelDiag": (192, 195), "LabelLargeurInt": (160, 520), "LabelPHExt": (410, 392),
    "LabelGHInt": (130, 328), "LabelPHInt": (216, 398),
}
GROUPS = {  # radio groups and the information group: (top, height)
    "RadioGroupForme": (40, 105), "RadioGroupChoix": (144, 185),
    "RadioGroupAssemblage": (336, 105), "GroupBox1": (448, 105),
}


def boxes():
    for name, (x, y, w, h) in FIELDS.items():
        yield name, (x + 4, y + 4, w - 8, h - 8)
    for name, (x, y) in LABELS.items():
        yield name, (x + 1, y + 1, 20, 12)
    yield "LabelAngle", (45, 41, 5, 9)
    for name, (top, height) in GROUPS.items():
        yield name + " (caption)", (488, top, 200, 14)
        if name != "GroupBox1":
            yield name + " (choices)", (488 + 28, top + 20, 185, height - 26)
    yield "Label2", (488 + 6, 448 + 28, 100, 12)
    yield "Label3", (488 + 8, 448 + 72, 120, 12)


def list_boxes():
    """The cutting list's cells: the grid stands below the 33-pixel bar; columns 100, 71, 65,
    55 and 422 wide and rows 24 high, each followed by a one-pixel grid line."""
    widths = [100, 71, 65, 55, 422]
    for row in range(6):
        for col, width in enumerate(widths):
            x = 1 + sum(w + 1 for w in widths[:col])
            y = 33 + 1 + row * 25
            yield f"cell ({col},{row})", (x + 3, y + 3, min(width, 300) - 6, 18)


def luminance(rgb):
    def channel(c):
        c /= 255.0
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def ratio(a, b):
    la, lb = luminance(a), luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def read_ppm(path):
    data = subprocess.run(["convert", path, "ppm:-"], check=True, capture_output=True).stdout
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    width, height = int(match.group(1)), int(match.group(2))
    return width, height, data[match.end():]


def measure(path, origin, scale, items=None):
    width, height, pixels = read_ppm(path)
    worst = None
    failed = []
    for name, (x, y, w, h) in items or boxes():
        x0, y0 = origin[0] + round(x * scale), origin[1] + round(y * scale)
        x1, y1 = x0 + round(w * scale), y0 + round(h * scale)
        colours = []
        for py in range(max(0, y0), min(height, y1)):
            row = py * width * 3
            for px in range(max(0, x0), min(width, x1)):
                i = row + px * 3
                colours.append(tuple(pixels[i:i + 3]))
        background = collections.Counter(colours).most_common(1)[0][0]
        ink = max(colours, key=lambda c: ratio(c, background))
        r = ratio(ink, background)
        if ink == background:
            print(f"{name:34} ground #{bytes(background).hex()}  (empty)")
            continue
        verdict = "ok" if r >= 4.5 else "TOO LOW"
        print(f"{name:34} ground #{bytes(background).hex()}  ink #{bytes(ink).hex()}"
              f"  {r:5.2f}:1  {verdict}")
        if r < 4.5:
            failed.append(name)
        worst = r if worst is None else min(worst, r)
    print(f"lowest contrast {worst:.2f}:1; {len(failed)} below 4.5:1")
    return not failed


def window_origin(title, env):
    for _ in range(50):
        time.sleep(0.2)
        info = subprocess.run(["xwininfo", "-name", title], env=env, capture_output=True,
                              text=True).stdout
        found = re.findall(r"Absolute upper-left [XY]:\s+(-?\d+)", info)
        if len(found) == 2:
            return int(found[0]), int(found[1])
    print(f"the window \"{title}\" did not appear", file=sys.stderr)
    return None


def run(program, theme, scale, display, keep):
    env = dict(os.environ, DISPLAY=f":{display}", QT_QPA_PLATFORMTHEME="gtk3",
               GTK_THEME="Adwaita:dark" if theme == "dark" else "Adwaita",
               QT_SCALE_FACTOR=str(scale), QT_QPA_PLATFORM="xcb")
    side = f"{round(1280 * max(1.0, scale))}x{round(1024 * max(1.0, scale))}x24"
    started = []
    try:
        started.append(subprocess.Popen(["Xvfb", f":{display}", "-screen", "0", side,
                                         "-noreset"], stderr=subprocess.DEVNULL))
        time.sleep(1)
        started.append(subprocess.Popen(["openbox"], env=env, stderr=subprocess.DEVNULL))
        time.sleep(1)
        started.append(subprocess.Popen([program], env=env))
        origin = window_origin(TITLE, env)
        if origin is None:
            return False
        time.sleep(1.5)  # painted
        shot = keep or f"/tmp/contrast-check-{os.getpid()}.png"
        subprocess.run(["import", "-window", "root", shot], env=env, check=True)
        print(f"{theme} theme, scale {scale}: {shot}")
        ok = measure(shot, origin, scale)

        # The cutting list, opened by its button in the bar (25 x 25 at 144, 4).
        button = [origin[0] + round(156 * scale), origin[1] + round(16 * scale)]
        subprocess.run(["xdotool", "mousemove", str(button[0]), str(button[1]), "click", "1"],
                       env=env, check=True)
        list_origin = window_origin(LIST_TITLE, env)
        if list_origin is None:
            return False
        time.sleep(1.5)
        list_shot = shot.replace(".png", "-list.png")
        subprocess.run(["import", "-window", "root", list_shot], env=env, check=True)
        print(f"cutting list: {list_shot}")
        return measure(list_shot, list_origin, scale, list_boxes()) and ok
    finally:
        for process in reversed(started):
            process.terminate()
            process.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--run")
    parser.add_argument("--theme", choices=["light", "dark"], default="dark")
    parser.add_argument("--display", type=int, default=119)
    parser.add_argument("--keep")
    parser.add_argument("--shot")
    parser.add_argument("--origin")
    parser.add_argument("--scale", type=float, default=1.0)
    args = parser.parse_args()
    if args.run:
        ok = run(args.run, args.theme, args.scale, args.display, args.keep)
    elif args.shot and args.origin:
        ok = measure(args.shot, tuple(int(v) for v in args.origin.split(",")), args.scale)
    else:
        parser.error("give --run PROGRAM, or --shot FILE and --origin X,Y")
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
