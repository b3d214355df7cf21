#!/usr/bin/env python3
"""What the colour-squares field shows on the screen, for the end-to-end tests (squares_lib.sh).

    squares_field.py codes <xshot> <window>          the 200 colour codes, row 0 first, 0 empty
    squares_field.py group <codes>                   "row column size" of the topmost group of
                                                     three or more joined squares, or nothing
    squares_field.py cursor <xshot> <window>         the keyboard cursor's cell, -1 when none
    squares_field.py same <a.ppm> <b.ppm> x y w h    exit 0 when the two pictures agree there
"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import screens  # noqa: E402  the screenshot tool's window picture and group search

COLOURS = {(255, 0, 0): 1, (0, 128, 0): 2, (0, 0, 255): 3, (255, 255, 0): 4, (128, 0, 128): 5}


def picture(xshot, window):
    with tempfile.TemporaryDirectory() as folder:
        return screens.Screen(folder, xshot).ppm(window)


def pixel(shot, x, y):
    width, _, pixels = shot
    i = 3 * (y * width + x)
    return tuple(pixels[i:i + 3])


def corner(row, column):  # the cell's top left in the window: the field image stands at (2, 2)
    return 2 + column * 30, 2 + row * 30


def codes(shot):
    # Eight pixels down the middle of the cell: clear of the cursor's ring and of the marks.
    return [COLOURS.get(pixel(shot, corner(r, c)[0] + 15, corner(r, c)[1] + 8), 0) for r in range(20) for c in range(10)]


def group(field):
    cells = {(i // 10, i % 10): int(code) for i, code in enumerate(field)}
    found = screens.a_group(cells)
    if not found:
        return None
    seen, todo = {found}, [found]
    while todo:
        a, b = todo.pop()
        for n in ((a - 1, b), (a + 1, b), (a, b - 1), (a, b + 1)):
            if n not in seen and cells.get(n) == cells[found]:
                seen.add(n)
                todo.append(n)
    return found[0], found[1], len(seen)


def cursor(shot):
    # The ring: black, white and black three to five pixels below the cell's top line.
    for r in range(20):
        for c in range(10):
            x, y = corner(r, c)
            if [pixel(shot, x + 15, y + d) for d in (3, 4, 5)] == [(0, 0, 0), (255, 255, 255), (0, 0, 0)]:
                return r * 10 + c
    return -1


def main():
    what = sys.argv[1]
    if what == "codes":
        print("".join(str(code) for code in codes(picture(sys.argv[2], sys.argv[3]))))
    elif what == "group":
        found = group(sys.argv[2])
        if found:
            print(*found)
    elif what == "cursor":
        print(cursor(picture(sys.argv[2], sys.argv[3])))
    elif what == "same":
        a, b = screens.read_ppm(sys.argv[2]), screens.read_ppm(sys.argv[3])
        x, y, w, h = map(int, sys.argv[4:8])
        sys.exit(0 if all(pixel(a, i, j) == pixel(b, i, j) for i in range(x, x + w) for j in range(y, y + h)) else 1)


if __name__ == "__main__":
    main()
