#!/usr/bin/env python3
"""The time from a termination signal to the program's exit while a metafile is being drawn.

Starts the program with a temporary profile whose 2D map is a metafile that costs the drawing
child its whole processor time, waits until the child kiv-metafile appears, sends the signal half
a second later and measures until the program has exited. Checks that the exit code is 0, that
the profile was written and that no child is left. The metafile is one made here (2,000 filled
rectangles on a frame of 32000 x 32000, drawn at 8000 x 8000) unless --metafile names another.
Runs under an X server:

    xvfb-run -a bench/termination_during_draw.py [--kiv build/kiv] [--data build/data]
                                                 [--metafile FILE] [--rounds 3] [TERM INT HUP]

Prints one line per signal: "termination_during_draw/SIG<name>: <max> ms (<each round>)".
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

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
DELAY = 0.5  # seconds between the child's appearance and the signal


def costly_wmf(path):
    """A placeable WMF of 32000 x 32000 units at 96 a inch with 2,000 red rectangles on it."""
    side = 32000
    head = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, side, side, 96, 0)
    checksum = 0
    for i in range(0, len(head), 2):
        checksum ^= struct.unpack_from("<H", head, i)[0]
    head += struct.pack("<H", checksum)
    records = struct.pack("<IHhh", 5, 0x020B, 0, 0) + struct.pack("<IHhh", 5, 0x020C, side, side)
    records += struct.pack("<IHHIH", 7, 0x02FC, 0, 0x0000FF, 0) + struct.pack("<IHH", 4, 0x012D, 0)
    for i in range(2000):
        records += struct.pack("<IHhhhh", 7, 0x041B, side - i, side - i, i, i)
    records += struct.pack("<IH", 3, 0)
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


def one_round(kiv, data, metafile, signum):
    """Milliseconds from the signal to the exit, or a reason for failing."""
    with tempfile.TemporaryDirectory() as root:
        shutil.copytree(data, os.path.join(root, "data"))
        profile = os.path.join(root, "config", "kiv", "kiv.ini")
        os.makedirs(os.path.dirname(profile))
        with open(profile, "w") as f:
            f.write("[Texture]\nErdkarteFileName=%s\n" % metafile)
        env = dict(os.environ, KIV_DATA_DIR=os.path.join(root, "data"), KIV_PROFILE=profile,
                   XDG_DATA_HOME=os.path.join(root, "share"), XDG_CONFIG_HOME=os.path.join(root, "config"))
        env.pop("QT_QPA_PLATFORM", None)
        program = subprocess.Popen([kiv], cwd=root, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            deadline = time.monotonic() + 60
            child = None
            while child is None and time.monotonic() < deadline and program.poll() is None:
                child = next((pid for pid, name in children(program.pid) if name == "kiv-metafile"), None)
                time.sleep(0.005)
            if child is None:
                return "no kiv-metafile child appeared"
            time.sleep(DELAY)
            if not alive(child):
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
        if "[Allgemein]" not in written or "ErdkarteFileName=%s" % metafile not in written:
            return "the profile was not written"
        if alive(child):
            return "the child %d is still there" % child
        return elapsed


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--kiv", default=os.path.join(ROOT, "build", "kiv"))
    parser.add_argument("--data", default=os.path.join(ROOT, "build", "data"))
    parser.add_argument("--metafile")
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("signals", nargs="*", default=["TERM", "INT", "HUP"])
    args = parser.parse_args()
    if "DISPLAY" not in os.environ:
        print("needs an X server: run it under xvfb-run -a", file=sys.stderr)
        return 2
    made = tempfile.TemporaryDirectory()
    metafile = os.path.abspath(args.metafile) if args.metafile else os.path.join(made.name, "costly.wmf")
    if not args.metafile:
        costly_wmf(metafile)
    failed = False
    for name in args.signals:
        signum = getattr(signal, "SIG" + name)
        results = [one_round(os.path.abspath(args.kiv), os.path.abspath(args.data), metafile, signum)
                   for _ in range(args.rounds)]
        times = [r for r in results if not isinstance(r, str)]
        for reason in (r for r in results if isinstance(r, str)):
            print("termination_during_draw/SIG%s: FAIL: %s" % (name, reason))
            failed = True
        if times:
            print("termination_during_draw/SIG%s: %.0f ms (%s), profile written, no child left"
                  % (name, max(times), ", ".join("%.0f" % t for t in times)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
