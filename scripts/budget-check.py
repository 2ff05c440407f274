#!/usr/bin/env python3
"""Runs every `vemora` command over image files and reports the largest memory and time any
one run took, to hold the codec's and the metadata reader's budget: no input under 1 MB may
make a command use more than 512 MB or 2 s (the limits can be changed for slow builds).
Time is processor time (user and system), which a busy machine does not inflate; the
longest wall-clock time is reported beside it.

  scripts/budget-check.py [--vemora PATH] [--max-mb N] [--max-seconds S] FOLDER_OR_FILE...

Files of 1 MB and more are run and reported but not held to the limits (a 100-MP photo
needs more). Exit status 1 when a small file broke a limit or a command crashed.
"""
import argparse
import os
import subprocess
import sys
import tempfile
import time

COMMANDS = [
    ["preview", "{in}", "{out}.jpg"],
    ["convert", "{in}", "{out}.bmp"],
    ["convert", "{in}", "{out}.jpg"],
    ["convert", "{in}", "{out}.tif"],
    ["scale", "--width", "640", "--height", "480", "--interpolate", "--filter", "Lanczos3",
     "--colours", "4", "{in}", "{out}.jpg"],
    # The filter at the picture's own size: the most copies of a picture a command holds.
    ["scale", "--width", "65000", "--height", "65000", "--interpolate", "--filter", "Mitchell",
     "{in}", "{out}.bmp"],
    ["exif", "--json", "{in}"],
]
SMALL = 1 << 20


def files_under(paths):
    for path in paths:
        if os.path.isfile(path):
            yield path
        for root, _, names in os.walk(path):
            for name in sorted(names):
                yield os.path.join(root, name)


def run(vemora, arguments):
    """Returns (peak resident MB, processor seconds, wall seconds, exit status) of one run."""
    start = time.monotonic()
    process = subprocess.Popen([vemora] + arguments, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.monotonic() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    return (usage.ru_maxrss / 1024, usage.ru_utime + usage.ru_stime, wall,
            process.returncode)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vemora", default=os.path.join(here, "..", "build", "gcc", "apps",
                                                         "vemora", "vemora"))
    parser.add_argument("--max-mb", type=float, default=512)
    parser.add_argument("--max-seconds", type=float, default=2)
    parser.add_argument("paths", nargs="+")
    options = parser.parse_args()

    worst_mb = worst_seconds = worst_wall = (0.0, "")
    broken = []
    runs = 0
    with tempfile.TemporaryDirectory(prefix="vemora-budget-") as scratch:
        out = os.path.join(scratch, "out")
        for path in files_under(options.paths):
            small = os.path.getsize(path) < SMALL
            for command in COMMANDS:
                arguments = [a.format(**{"in": path, "out": out}) for a in command]
                mb, seconds, wall, status = run(options.vemora, arguments)
                runs += 1
                what = f"{command[0]} {path}"
                if small and mb > worst_mb[0]:
                    worst_mb = (mb, what)
                if small and seconds > worst_seconds[0]:
                    worst_seconds = (seconds, what)
                if small and wall > worst_wall[0]:
                    worst_wall = (wall, what)
                if status < 0 or status > 2:
                    broken.append(f"{what}: exit status {status}")
                elif small and (mb > options.max_mb or seconds > options.max_seconds):
                    broken.append(f"{what}: {mb:.0f} MB, {seconds:.2f} s")
    print(f"{runs} runs; files under 1 MB: largest memory {worst_mb[0]:.0f} MB ({worst_mb[1]}),"
          f" longest processor time {worst_seconds[0]:.2f} s ({worst_seconds[1]}),"
          f" longest wall time {worst_wall[0]:.2f} s ({worst_wall[1]})")
    for line in broken:
        print("over budget or crashed: " + line)
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main())
