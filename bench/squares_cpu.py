#!/usr/bin/env python3
"""CPU of the whole colour-squares program under X per second of play, at a given speed level.

    bench/squares_cpu.py <VumSquare_speed> [<other build>] [--runs N] [--seconds S] [--levels 10,1]
                         [--clicks C]

Each run starts the program in a fresh folder with VUM_SQUARES_SPEED_LEVEL set (the seam of the
benchmark build, build/release/bench/VumSquare_speed: the first game goes on at that speed
level), answers the level dialog with the first level ("Новичок"), and plays as a player does:
it looks at the field on the screen and clicks the topmost group of three or more, C times a
second (3, a quick player's pace; 0 watches the field rise alone, which at speed level 10 reaches
the top after some 9 seconds). From the 3rd second of play on, for S seconds (20),
it reads the CPU the program's process spends: /proc/<pid>/stat (user and system time, in clock
ticks) and /proc/<pid>/schedstat (nanoseconds on the CPU). Prints the median of the runs for each
build and level, ms per second of play. Another build (an older one, with the same seam) is
measured in the same runs, turn about with the first.

Runs under an X server of its own (Xvfb) when DISPLAY is unset. Needs xdotool and build/release/xshot.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import screens  # noqa: E402  the screenshot tool's window and field helpers

TICKS = os.sysconf("SC_CLK_TCK")


def cpu(pid):
    """(seconds from /proc/<pid>/stat, seconds from /proc/<pid>/schedstat)"""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    with open(f"/proc/{pid}/schedstat") as f:
        running = int(f.read().split()[0])
    return (int(fields[11]) + int(fields[12])) / TICKS, running / 1e9


def play(program, level, seconds, clicks, screen):
    work = tempfile.mkdtemp()
    try:
        shutil.copy(program, os.path.join(work, "VumSquare"))
        env = dict(os.environ, VUM_SQUARES_SPEED_LEVEL=str(level))
        process = subprocess.Popen([os.path.join(work, "VumSquare")], cwd=work, env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            dialog = screens.wait_window("Выберите сложность игры")
            screens.key(dialog, "Left")
            screens.key(dialog, "Return")
            main = screens.wait_window("ВУМ квадратики")
            start = time.time()
            next_click = start
            before = None
            while True:
                now = time.time()
                if before is None and now - start >= 3:
                    before, begun = cpu(process.pid), now
                if before is not None and now - begun >= seconds:
                    after = cpu(process.pid)
                    elapsed = now - begun
                    break
                if screens.run("xdotool", "search", "--onlyvisible", "--name", "Игра окончена!", check=False):
                    raise SystemExit(f"the game ended after {now - start:.0f} s at speed level {level}: "
                                     "the player was too slow")
                if clicks > 0 and now >= next_click:
                    next_click = now + 1 / clicks
                    group = screens.a_group(screens.field_codes(screen, main))
                    if group:
                        r, c = group
                        screens.click(main, 2 + c * 30 + 15, 2 + r * 30 + 15)
                time.sleep(0.02)
        finally:
            process.kill()
            process.wait()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return tuple((a - b) * 1000 / elapsed for a, b in zip(after, before))


def main():
    args = sys.argv[1:]
    options = {"--runs": "5", "--seconds": "20", "--levels": "10,1", "--clicks": "3"}
    programs = []
    while args:
        if args[0] in options:
            options[args[0]] = args[1]
            args = args[2:]
        else:
            programs.append(os.path.abspath(args.pop(0)))
    if not programs:
        raise SystemExit(__doc__)
    runs, seconds, clicks = int(options["--runs"]), float(options["--seconds"]), float(options["--clicks"])
    levels = [int(level) for level in options["--levels"].split(",")]

    server = None
    if not os.environ.get("DISPLAY"):
        read, write = os.pipe()
        server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten",
                                   "tcp", "-noreset", "-r"],
                                  pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            os.environ["DISPLAY"] = ":" + f.readline().strip()
    out = tempfile.mkdtemp()
    try:
        screen = screens.Screen(out, os.path.join(ROOT, "build", "release", "xshot"))
        results = {(p, level): [] for p in programs for level in levels}
        for run in range(runs):
            for program in programs:
                for level in levels:
                    stat, sched = play(program, level, seconds, clicks, screen)
                    results[(program, level)].append((stat, sched))
                    print(f"run {run + 1}  {program}  speed level {level}:  stat {stat:.3f}  schedstat {sched:.3f}"
                          " ms per second of play", flush=True)
        print(f"median of {runs} runs of {seconds:.0f} s, {clicks:g} clicks a second, ms of CPU per second of play:")
        for program in programs:
            for level in levels:
                values = results[(program, level)]
                print(f"  {program}  speed level {level}:  /proc stat {statistics.median(v[0] for v in values):.3f}"
                      f"   schedstat {statistics.median(v[1] for v in values):.3f}")
    finally:
        shutil.rmtree(out, ignore_errors=True)
        if server:
            server.terminate()


if __name__ == "__main__":
    main()
