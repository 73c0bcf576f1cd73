#!/usr/bin/env python3
"""The real program under Xvfb: start it from another directory with a temporary profile and a
copy of the bundled data folder, wait for the main window and its title, end it as a session end does (SIGTERM
closes the main window), and check that the profile was written."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

TITLE = "Satellite Simulation -> intelsat.tle (21 satellites in buffer) from the "


def window_titles():
    # The tree walk fails when a window goes away under it (Qt and the GL driver make and drop
    # short-lived windows at start-up): ask again rather than read a half answer as "no window".
    for _ in range(10):
        run = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True)
        if run.returncode == 0:
            return [line for line in run.stdout.splitlines() if TITLE in line]
        time.sleep(0.1)
    return []


def viewable(line):
    window = line.split()[0]
    out = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True).stdout
    return "IsViewable" in out


def main():
    program, bundled = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as root:
        data = os.path.join(root, "data")
        shutil.copytree(bundled, data)
        profile = os.path.join(root, "config", "kiv", "kiv.ini")
        work = os.path.join(root, "elsewhere")
        os.makedirs(work)
        env = dict(os.environ, KIV_DATA_DIR=data, KIV_PROFILE=profile,
                   XDG_DATA_HOME=os.path.join(root, "share"), XDG_CONFIG_HOME=os.path.join(root, "config"))
        env.pop("QT_QPA_PLATFORM", None)
        # A decimal-comma locale must not reach the profile's numbers.
        if "de_DE.utf8" in subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout:
            env.update(LANG="de_DE.UTF-8", LC_ALL="de_DE.UTF-8")
        kiv = subprocess.Popen([program], cwd=work, env=env)
        try:
            deadline = time.time() + 60
            shown = None
            while time.time() < deadline and kiv.poll() is None:
                lines = window_titles()
                if lines and viewable(lines[0]):
                    shown = lines[0]
                    break
                time.sleep(0.2)
            if not shown:
                print("FAIL: no main window titled '%s...'" % TITLE)
                return 1
            print("main window:", shown.strip())
            time.sleep(1.0)  # a few ticks
            kiv.terminate()
            code = kiv.wait(timeout=30)
        finally:
            if kiv.poll() is None:
                kiv.kill()
        if code != 0:
            print("FAIL: exit code", code)
            return 1
        if not os.path.exists(profile):
            print("FAIL: no profile written at", profile)
            return 1
        text = open(profile, encoding="latin-1").read()
        for needed in ("[Allgemein]", "Satellitenfilename=intelsat.tle", "Show3D=TRUE", "AutoExtendX=50.000000"):
            if needed not in text:
                print("FAIL: profile lacks", needed)
                return 1
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
