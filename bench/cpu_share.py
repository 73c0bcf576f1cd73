#!/usr/bin/env python3
"""The whole program's share of the processor while it runs unattended.

Starts the program on a clean profile under its own Xvfb, lets it settle, and reads the
process's user and system time from /proc/PID/stat over a measuring window (20 s by default).
Rendering threads count too: they belong to the process. Cases:

  default   the views a clean profile opens, factor 1
  paused    the same after the toolbar's Pause
  low255    255 low satellites shown (Display all), factor 1

    bench/cpu_share.py [--kiv build/kiv ...] [--peer PROGRAM ...] [--rounds N] [--seconds 20]
                       [--settle 3] [case ...]

Prints one line per case and program: "cpu_share/<case>: <percent> % of a core", followed by the
program's path when more than one is measured. Several --kiv builds (a base commit and a branch)
and --peer programs (another tracker, started on a clean home as it comes, measured in the
default case only) run one after the other in each of the rounds, so that the machine's load
falls on all of them alike. Needs Xvfb, xdotool and xwd (tools/setup-deps.sh installs them).
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
CASES = ("default", "paused", "low255")
# Where the standard toolbar's buttons are in the main window on this script's 1280 x 1024 screen,
# and a place for the pointer over no view.
PAUSE_BUTTON = ("67", "36")
DISPLAY_ALL_BUTTON = ("209", "36")
AWAY = ("1", "1")


def checksum(line):
    return sum(int(c) if c.isdigit() else 1 if c == "-" else 0 for c in line) % 10


def low_satellites(count):
    """Element sets of `count` low satellites spread over the planes (as the tests make them)."""
    text = []
    for i in range(count):
        number = 10000 + i
        raan = (i * 37) % 360
        anomaly = (i * 97) % 360
        line1 = "1 %05dU 24001A   %02d%012.8f  .00000000  00000-0  10000-3 0  999" % (number, 24, 100.5)
        line2 = "2 %05d %8.4f %8.4f %07d %8.4f %8.4f %11.8f    1" % (number, 51.6, raan, 10000, 0.0, anomaly, 15.5)
        text += ["LOW %d" % i, line1 + str(checksum(line1)), line2 + str(checksum(line2))]
    return "\n".join(text) + "\n"


def ticks(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime (fields 14 and 15)


def start_xvfb():
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            pass_fds=(write,), stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read, 16)
        if not chunk:
            raise RuntimeError("Xvfb did not start")
        number += chunk
    os.close(read)
    return xvfb, ":" + number.decode().strip()


def xdotool(env, *args):
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True, timeout=20).stdout


def main_window(env, timeout=60.0):
    """The main window: the largest visible window, once the splash has gone and the window has
    its full size."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        best, area = None, 0
        for window in xdotool(env, "search", "--onlyvisible", "--name", ".").split():
            geometry = xdotool(env, "getwindowgeometry", window)
            size = [line.split()[-1] for line in geometry.splitlines() if "Geometry:" in line]
            if size:
                w, h = (int(v) for v in size[0].split("x"))
                if w * h > area:
                    best, area = window, w * h
        if best and area >= 640 * 480:
            return best
        time.sleep(0.5)
    raise RuntimeError("the main window did not appear")


def measure(kiv, case, seconds, settle):
    work = tempfile.mkdtemp(prefix="kiv-cpu-")
    xvfb, display = start_xvfb()
    program = None
    try:
        env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_", "KIV_"))}
        env.update(DISPLAY=display, HOME=work, XDG_CONFIG_HOME=work + "/config", XDG_DATA_HOME=work + "/data",
                   XDG_RUNTIME_DIR=work, LANG="C.UTF-8", LC_ALL="C.UTF-8")
        if case == "low255":
            with open(work + "/low255.tle", "w") as f:
                f.write(low_satellites(255))
            os.makedirs(work + "/config/kiv")
            with open(work + "/config/kiv/kiv.ini", "w") as f:
                f.write("[Allgemein]\nSatellitenfilename=%s/low255.tle\n" % work)
        program = subprocess.Popen([kiv], cwd=work, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = main_window(env)
        xdotool(env, "windowactivate", "--sync", window)
        time.sleep(2.0)
        if case == "paused":
            pause(env, window)
        elif case == "low255":
            click_display_all(env, window)
        time.sleep(settle)
        if program.poll() is not None:
            raise RuntimeError("the program ended early")
        clock = os.sysconf("SC_CLK_TCK")
        t0, c0 = time.monotonic(), ticks(program.pid)
        time.sleep(seconds)
        t1, c1 = time.monotonic(), ticks(program.pid)
        return 100.0 * (c1 - c0) / clock / (t1 - t0)
    finally:
        for p in (program, xvfb):
            if p and p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(10)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        shutil.rmtree(work, ignore_errors=True)


def window_rows(env, window, top, count):
    """Rows [top, top + count) of the window's pixels (negative top: from the bottom), from xwd."""
    dump = subprocess.run(["xwd", "-silent", "-id", window], env=env, capture_output=True, timeout=20).stdout
    header = [int.from_bytes(dump[i:i + 4], "big") for i in range(0, 100, 4)]
    header_size, height, bytes_per_line, colours = header[0], header[5], header[12], header[19]
    start = header_size + 12 * colours + (top % height) * bytes_per_line
    return dump[start:start + count * bytes_per_line]


def toolbar_rows(env, window):
    return window_rows(env, window, 0, 60)


def pause(env, window):
    """The toolbar's Pause button; the status bar's clock stops, which tells that it took."""
    xdotool(env, "mousemove", "--window", window, *PAUSE_BUTTON, "click", "1")
    xdotool(env, "mousemove", "--window", window, *AWAY)
    time.sleep(1.0)
    first = window_rows(env, window, -30, 30)
    time.sleep(2.5)
    if window_rows(env, window, -30, 30) != first:
        raise RuntimeError("Pause could not be chosen (the clock still runs)")


def click_display_all(env, window):
    """The toolbar's Display all button, where the standard toolbar has it; the satellite buttons
    leave the toolbar when it is pressed, which tells that the click hit it."""
    before = toolbar_rows(env, window)
    xdotool(env, "mousemove", "--window", window, *DISPLAY_ALL_BUTTON, "click", "1")
    time.sleep(1.0)
    if toolbar_rows(env, window) == before:
        raise RuntimeError("Display all could not be pressed (the toolbar did not change)")
    xdotool(env, "mousemove", "--window", window, *AWAY)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--kiv", action="append", help="a build's program (default build/kiv); repeatable")
    parser.add_argument("--peer", action="append", default=[], help="another program to compare; repeatable")
    parser.add_argument("--rounds", type=int, default=1)
    parser.add_argument("--seconds", type=float, default=20.0)
    parser.add_argument("--settle", type=float, default=3.0)
    parser.add_argument("cases", nargs="*", default=list(CASES))
    args = parser.parse_args()
    for tool in ("Xvfb", "xdotool", "xwd"):
        if not shutil.which(tool):
            sys.exit("cpu_share: %s is missing (tools/setup-deps.sh installs it)" % tool)
    builds = [os.path.abspath(k) for k in (args.kiv or [os.path.join(HERE, "..", "build", "kiv")])]
    peers = [os.path.abspath(shutil.which(p) or p) for p in args.peer]
    for program in builds + peers:
        if not os.access(program, os.X_OK):
            sys.exit("cpu_share: no program at %s (make build)" % program)
    for case in args.cases:
        if case not in CASES:
            sys.exit("cpu_share: unknown case %s (%s)" % (case, ", ".join(CASES)))
    named = len(builds) + len(peers) > 1
    for _ in range(args.rounds):
        for case in args.cases:
            for program in builds + (peers if case == "default" else []):
                share = measure(program, case, args.seconds, args.settle)
                print("cpu_share/%s: %.2f %% of a core%s" % (case, share, "  " + program if named else ""), flush=True)


if __name__ == "__main__":
    main()
