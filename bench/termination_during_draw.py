#!/usr/bin/env python3
"""The time from a termination signal to the program's exit while it is busy below its event loop.

Two cases (--during):
  draw  the 2D map is a metafile that costs the drawing child its whole processor time; the signal
        goes half a second after the child kiv-metafile appears. No child may be left. The
        metafile is one made here (2,000 filled rectangles on a frame of 32000 x 32000, drawn at
        8000 x 8000) unless --picture names another.
  fit   the globe's texture is a picture too large for GL (by default the BMP of 15622 x 12784 in
        121 bytes from fuzz/corpus/picture, or --picture), which the globe fits to GL's largest
        side after a warning box; the signal goes half a second after the box appears, so that the
        program closes the box and then fits and uploads the picture.
In both, measures until the program has exited and checks that the exit code is 0 and that the
profile was written. Runs under an X server (the fit needs xdotool):

    xvfb-run -a bench/termination_during_draw.py [--during draw|fit] [--kiv build/kiv]
                 [--data build/data] [--picture FILE] [--rounds 3] [TERM INT HUP]

Prints one line per signal: "termination_during_<case>/SIG<name>: <max> ms (<each round>)".
"""

import argparse
import os
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

from wmf_parts import END, placeable_head, red_frame

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
DELAY = 0.5  # seconds between the child's appearance and the signal


def costly_wmf(path):
    """A placeable WMF of 32000 x 32000 units at 96 a inch with 2,000 red rectangles on it."""
    side = 32000
    head = placeable_head(side)
    records = red_frame(side)
    for i in range(2000):
        records += struct.pack("<IHhhhh", 7, 0x041B, side - i, side - i, i, i)
    records += END
    standard = struct.pack("<HHHIHIH", 1, 9, 0x0300, 9 + len(records) // 2, 1, 7, 0)
    with open(path, "wb") as f:
        f.write(head + standard + records)


def children(pid):
    """The pids and names of the process's children."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                stat = f.read()
        except OSError:
            continue
        name = stat[stat.index("(") + 1:stat.rindex(")")]
        fields = stat.rsplit(")", 1)[1].split()
        if int(fields[1]) == pid and fields[0] != "Z":
            found.append((int(entry), name))
    return found


def alive(pid):
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def child_drawing(program):
    """The pid of the program's kiv-metafile child once it appears, or None."""
    return next((pid for pid, name in children(program.pid) if name == "kiv-metafile"), None)


def warning_box(program):
    """A window id of the program's warning box once it is up, or None."""
    found = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(program.pid), "--name", "^Warning$"],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    return found.stdout.split()[0] if found.returncode == 0 and found.stdout.split() else None


# The setting that names the picture, what the program is busy with at the signal, and whether
# that is a child process that must be gone afterwards.
CASES = {
    "draw": ("ErdkarteFileName", child_drawing, "no kiv-metafile child appeared", True),
    "fit": ("TextureErdeFileName", warning_box, "no warning box appeared", False),
}


def one_round(kiv, data, case, picture, signum):
    """Milliseconds from the signal to the exit, or a reason for failing."""
    key, busy, not_busy, is_child = CASES[case]
    with tempfile.TemporaryDirectory() as root:
        shutil.copytree(data, os.path.join(root, "data"))
        profile = os.path.join(root, "config", "kiv", "kiv.ini")
        os.makedirs(os.path.dirname(profile))
        with open(profile, "w") as f:
            f.write("[Texture]\n%s=%s\n" % (key, picture))
        env = dict(os.environ, KIV_DATA_DIR=os.path.join(root, "data"), KIV_PROFILE=profile,
                   XDG_DATA_HOME=os.path.join(root, "share"), XDG_CONFIG_HOME=os.path.join(root, "config"))
        env.pop("QT_QPA_PLATFORM", None)
        program = subprocess.Popen([kiv], cwd=root, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            deadline = time.monotonic() + 60
            seen = None
            while seen is None and time.monotonic() < deadline and program.poll() is None:
                seen = busy(program)
                time.sleep(0.005)
            if seen is None:
                return not_busy
            time.sleep(DELAY)
            if is_child and not alive(seen):
                return "the child had ended before the signal"
            # A process descriptor turns readable at the exit itself; Popen.wait(timeout) looks
            # only every 50 ms.
            process = os.pidfd_open(program.pid)
            ended = select.poll()
            ended.register(process, select.POLLIN)
            sent = time.monotonic()
            program.send_signal(signum)
            exited = ended.poll(30000)
            elapsed = (time.monotonic() - sent) * 1000
            os.close(process)
            if not exited:
                return "still running 30 s after the signal"
            code = program.wait()
        finally:
            if program.poll() is None:
                program.kill()
                program.wait()
        if code != 0:
            return "exit code %d" % code
        with open(profile, encoding="latin-1") as f:
            written = f.read()
        if "[Allgemein]" not in written or "%s=%s" % (key, picture) not in written:
            return "the profile was not written"
        if is_child and alive(seen):
            return "the child %d is still there" % seen
        return elapsed


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--during", choices=sorted(CASES), default="draw")
    parser.add_argument("--kiv", default=os.path.join(ROOT, "build", "kiv"))
    parser.add_argument("--data", default=os.path.join(ROOT, "build", "data"))
    parser.add_argument("--picture")
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("signals", nargs="*", default=["TERM", "INT", "HUP"])
    args = parser.parse_args()
    if "DISPLAY" not in os.environ:
        print("needs an X server: run it under xvfb-run -a", file=sys.stderr)
        return 2
    made = tempfile.TemporaryDirectory()
    if args.picture:
        picture = os.path.abspath(args.picture)
    elif args.during == "fit":
        picture = os.path.join(ROOT, "fuzz", "corpus", "picture", "bmp-rle8-early-end-huge.bmp")
    else:
        picture = os.path.join(made.name, "costly.wmf")
        costly_wmf(picture)
    failed = False
    for name in args.signals:
        signum = getattr(signal, "SIG" + name)
        results = [one_round(os.path.abspath(args.kiv), os.path.abspath(args.data), args.during, picture, signum)
                   for _ in range(args.rounds)]
        times = [r for r in results if not isinstance(r, str)]
        label = "termination_during_%s/SIG%s" % (args.during, name)
        for reason in (r for r in results if isinstance(r, str)):
            print("%s: FAIL: %s" % (label, reason))
            failed = True
        if times:
            print("%s: %.0f ms (%s), profile written%s" % (label, max(times), ", ".join("%.0f" % t for t in times),
                                                         ", no child left" if CASES[args.during][3] else ""))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
