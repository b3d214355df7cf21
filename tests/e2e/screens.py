#!/usr/bin/env python3
"""Screenshots of every window state of both games, for comparing two builds pixel by pixel.

    screens.py shoot <out-dir> <VumSudoku> <VumSquare> <xshot> <vum-sudoku-gen>
    screens.py compare <dir-a> <dir-b>

`shoot` runs under a virtual X server (it starts one with xvfb-run when DISPLAY is unset),
starts each game in a fresh folder with its wall clock held at a fixed moment (libfaketime),
so that its random generator makes the same puzzles and the same field in every run, drives it with
xdotool through its windows and saves a screenshot of the whole screen at each state.
`compare` counts the differing pixels of the screenshots two runs have in common.

Needs: xvfb-run, xdotool, faketime, gdb (to hold the Sudoku inside its puzzle maker while the
wait notice stands). Not part of the test suite: a review tool.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

FAKE_START = "2026-12-01 12:00:00"
FAKE_SEED = 1796126400  # the same moment as seconds since the epoch, UTC
LIBFAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"


def run(*args, check=True):
    return subprocess.run(args, check=check, capture_output=True, text=True).stdout.strip()


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    parts = data.split(maxsplit=4)
    assert parts[0] == b"P6", path
    width, height = int(parts[1]), int(parts[2])
    pixels = parts[4]
    return width, height, pixels


class Screen:
    def __init__(self, out, xshot):
        self.out, self.xshot, self.count = out, xshot, 0

    def shoot(self, name):
        time.sleep(0.4)  # let the last repaint reach the server
        self.count += 1
        path = os.path.join(self.out, f"{name}.ppm")
        run(self.xshot, "root", path)
        run(self.xshot, "root", path[:-4] + ".png")
        print("  shot", name)

    def ppm(self, window):
        path = os.path.join(self.out, "tmp.ppm")
        run(self.xshot, window, path)
        return read_ppm(path)


def wait_window(pattern, pid=None, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        args = ["xdotool", "search", "--onlyvisible", "--name", pattern]
        found = run(*args, check=False).split()
        if found:
            return found[0]
        time.sleep(0.1)
    raise SystemExit(f"no window '{pattern}'")


def windows_of(pid):
    return run("xdotool", "search", "--onlyvisible", "--pid", str(pid), check=False).split()


def key(window, name):
    run("xdotool", "windowfocus", "--sync", window, check=False)
    run("xdotool", "key", name)


def click(window, x, y, button=1):
    run("xdotool", "mousemove", "--window", window, str(x), str(y), "click", str(button))


def start(program, folder):
    shutil.copy(program, folder)
    # The wall clock stands still at one moment, so that every seed taken from it is the same;
    # the monotonic clock, which drives the timers, runs on.
    env = dict(os.environ, FAKETIME=FAKE_START, FAKETIME_DONT_FAKE_MONOTONIC="1", LD_PRELOAD=LIBFAKETIME)
    return subprocess.Popen([os.path.join(folder, os.path.basename(program))], cwd=folder, env=env)


# ---- VumSudoku -------------------------------------------------------------------------------

BOARD_X, BOARD_Y, BORDER, PITCH = 8, 4, 2, 36


def cell_centre(column, row):
    return BOARD_X + BORDER + PITCH * column + 17, BOARD_Y + BORDER + PITCH * row + 17


def digit_button(digit):  # centre of a picker button in the picker's client area
    if digit == 0:
        return 6 + 16, 112 + 16
    i = digit - 1
    return 6 + 36 * (i % 3) + 16, 4 + 36 * (i // 3) + 16


def picker_of(pid, main):
    deadline = time.time() + 10
    while time.time() < deadline:
        for w in windows_of(pid):
            if w != main:
                return w
        time.sleep(0.05)
    raise SystemExit("no picker")


def gone(pid, window):
    deadline = time.time() + 10
    while window in windows_of(pid):
        if time.time() > deadline:
            raise SystemExit("a window stayed open")
        time.sleep(0.05)


def shoot_sudoku(screen, program, generator, work):
    puzzle, solution = run(generator, "--level", "1", "--seed", str(FAKE_SEED)).split()
    process = start(program, work)
    try:
        main = wait_window("ВУМ Судоку")
        time.sleep(1.5)
        screen.shoot("sudoku-1-main")
        empties = [(i % 9, i // 9) for i, ch in enumerate(puzzle) if ch == "."]
        digit = {(i % 9, i // 9): int(ch) for i, ch in enumerate(solution)}
        givens = [(i % 9, i // 9) for i, ch in enumerate(puzzle) if ch != "."]

        # The picker beside an empty cell, then a digit entered.
        column, row = empties[3]
        click(main, *cell_centre(column, row))
        picker = picker_of(process.pid, main)
        screen.shoot("sudoku-2-picker")
        click(picker, *digit_button(digit[(column, row)]))
        gone(process.pid, picker)
        screen.shoot("sudoku-3-entered")

        # A given lights up its digit.
        click(main, *cell_centre(*givens[5]))
        screen.shoot("sudoku-4-given-selected")

        # The questions: restart answered No, the solution answered Yes.
        click(main, 344 + 96, 234 + 22)
        question = wait_window("ВУМ Судоку 1.0")
        screen.shoot("sudoku-5-question")
        key(question, "Escape")
        gone(process.pid, question)
        click(main, 344 + 96, 288 + 22)
        question = wait_window("ВУМ Судоку 1.0")
        key(question, "Return")
        gone(process.pid, question)
        screen.shoot("sudoku-6-solution")
        click(main, 344 + 96, 180 + 22)  # undo: the player's board again
        screen.shoot("sudoku-7-undone")

        # The wait notice, held on the screen while the puzzle maker is stopped in gdb.
        gdb = subprocess.Popen(["gdb", "-q", "-p", str(process.pid), "-batch",
                                "-ex", "set breakpoint pending on", "-ex", "rbreak GeneratePuzzle",
                                "-ex", "continue", "-ex", "shell sleep 3", "-ex", "detach"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(2.5)
        click(main, 344 + 96, 126 + 22)  # new game: asks first
        question = wait_window("ВУМ Судоку 1.0")
        key(question, "Return")
        time.sleep(1.0)
        screen.shoot("sudoku-8-making-notice")
        gdb.wait()
        process.kill()
        process.wait()

        # A fresh start on the same puzzle, solved through the picker: the level-passed notice.
        shutil.rmtree(work)
        os.mkdir(work)
        process = start(program, work)
        main = wait_window("ВУМ Судоку")
        time.sleep(1.5)
        for column, row in empties:
            click(main, *cell_centre(column, row), button=3)  # a right click opens also the current cell
            picker = picker_of(process.pid, main)
            click(picker, *digit_button(digit[(column, row)]))
            gone(process.pid, picker)
        time.sleep(0.5)
        screen.shoot("sudoku-9-level-passed")
        time.sleep(4)
        screen.shoot("sudoku-10-next-puzzle")
        key(main, "Return")
        process.wait(timeout=10)
    finally:
        if process.poll() is None:
            process.kill()


# ---- VumSquare -------------------------------------------------------------------------------

def field_codes(screen, main):
    width, _, pixels = screen.ppm(main)
    colours = {(255, 0, 0): 1, (0, 128, 0): 2, (0, 0, 255): 3, (255, 255, 0): 4, (128, 0, 128): 5}
    field = {}
    for r in range(20):
        for c in range(10):
            x, y = 2 + c * 30 + 15, 2 + r * 30 + 5
            i = 3 * (y * width + x)
            field[(r, c)] = colours.get(tuple(pixels[i:i + 3]), 0)
    return field


def a_group(field):
    for (r, c), code in field.items():
        if code == 0:
            continue
        seen, todo = {(r, c)}, [(r, c)]
        while todo:
            a, b = todo.pop()
            for n in ((a - 1, b), (a + 1, b), (a, b - 1), (a, b + 1)):
                if n not in seen and field.get(n) == code:
                    seen.add(n)
                    todo.append(n)
        if len(seen) >= 3:
            return r, c
    return None


def shoot_squares(screen, program, work):
    process = start(program, work)
    try:
        dialog = wait_window("Выберите сложность игры")
        time.sleep(1.0)
        screen.shoot("squares-1-level")
        key(dialog, "Left")
        screen.shoot("squares-2-level-left")
        key(dialog, "Right")
        key(dialog, "Return")
        main = wait_window("ВУМ квадратики")
        # Paused at once, with the first row only: what follows happens at known ticks.
        key(main, "F5")
        screen.shoot("squares-3-paused")
        key(main, "F1")
        help_window = wait_window("Подсказка")
        screen.shoot("squares-4-help")
        key(help_window, "space")
        key(main, "F10")
        table = wait_window("Десять лучших сметчиков")
        screen.shoot("squares-5-table")
        key(table, "space")
        # The field rises until it holds a group; paused at once after that tick, then resumed
        # and the group removed for a score long before the next tick. The number of ticks
        # before the removal is thus the same in every run. Then the field rises to the top.
        key(main, "F5")
        deadline = time.time() + 60
        group = None
        while group is None:
            if time.time() > deadline:
                raise SystemExit("no group of three on the field")
            group = a_group(field_codes(screen, main))
        key(main, "F5")
        r, c = a_group(field_codes(screen, main))
        key(main, "F5")
        click(main, 2 + c * 30 + 15, 2 + r * 30 + 20)
        screen.shoot("squares-6-running")
        wait_window("Игра окончена!", seconds=90)
        screen.shoot("squares-7-game-over")
        name = wait_window("Ваше имя", seconds=10)
        time.sleep(0.5)
        run("xdotool", "type", "--delay", "50", "Tester")
        screen.shoot("squares-8-name")
        key(name, "Return")
        table = wait_window("Десять лучших сметчиков")
        screen.shoot("squares-9-table-marked")
        key(table, "space")
        time.sleep(0.5)
        screen.shoot("squares-10-ended")
        key(main, "Escape")
        process.wait(timeout=10)
    finally:
        if process.poll() is None:
            process.kill()


def compare(a, b):
    names = sorted(n for n in os.listdir(a) if n.endswith(".ppm") and os.path.exists(os.path.join(b, n)))
    for name in names:
        wa, ha, xa = read_ppm(os.path.join(a, name))
        wb, hb, xb = read_ppm(os.path.join(b, name))
        if (wa, ha) != (wb, hb):
            print(f"{name[:-4]}: sizes differ")
            continue
        box = None
        differing = 0
        for i in range(0, len(xa), 3):
            if xa[i:i + 3] != xb[i:i + 3]:
                differing += 1
                x, y = (i // 3) % wa, (i // 3) // wa
                box = (x, y, x, y) if box is None else (min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y))
        where = f" within x {box[0]}..{box[2]}, y {box[1]}..{box[3]}" if box else ""
        print(f"{name[:-4]}: {differing} differing pixels{where}")


def main():
    if sys.argv[1] == "compare":
        compare(sys.argv[2], sys.argv[3])
        return
    out, sudoku, squares, xshot, generator = sys.argv[2:7]
    server = None
    if not os.environ.get("DISPLAY"):
        # Xvfb picks a free display number itself and tells it: no race with other servers.
        read, write = os.pipe()
        server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                                   "-noreset", "-r"],
                                  pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            os.environ["DISPLAY"] = ":" + f.readline().strip()
    os.makedirs(out, exist_ok=True)
    screen = Screen(out, os.path.abspath(xshot))
    only = os.environ.get("SCREENS_ONLY", "")
    try:
        with tempfile.TemporaryDirectory() as work:
            if only in ("", "sudoku"):
                shoot_sudoku(screen, os.path.abspath(sudoku), os.path.abspath(generator), work)
        with tempfile.TemporaryDirectory() as work:
            if only in ("", "squares"):
                shoot_squares(screen, os.path.abspath(squares), work)
    finally:
        if server:
            server.terminate()
    tmp = os.path.join(out, "tmp.ppm")
    if os.path.exists(tmp):
        os.remove(tmp)
    print(f"{screen.count} screenshots in {out}")


if __name__ == "__main__":
    main()
