#!/usr/bin/env python3
"""What the helper kiv-metafile needs to draw a metafile of N bytes, and that it draws the largest
metafile the program admits within the limits the program gives it.

Writes WMF and EMF files of N bytes made of one kind of record each (rectangles, lines, text,
polylines), on a frame of --side units (at 96 units an inch, so that a side of 8000 is drawn at
the largest picture, 8000 x 8000 = 64 megapixels), runs the helper on each with no limits and
prints its peak address space (VmPeak) and resident size, its processor time and whether it drew
the picture. With --limit it runs the helper under the child's address-space limit instead, as
the program does, and says whether the picture came back whole.

    bench/metafile_limit.py [--helper build/kiv-metafile] [--side 8000] [--limit 512]
                            [--kinds line,text] [--formats wmf,emf] BYTES...

BYTES is a size (1126297, 4M, 1.5M). Prints one line per file:
"metafile_limit/<format>/<kind>/<bytes>: VmPeak <MiB> MiB, resident <MiB> MiB, <s> s processor, drawn|not drawn".
"""

import argparse
import os
import resource
import struct
import subprocess
import sys
import tempfile
import threading
import time

from wmf_parts import END, placeable_head, red_frame

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def polyline(side):
    """The point count and 16-bit coordinates of a polyline that zigzags across the frame."""
    points = 2000
    return points, b"".join(struct.pack("<hh", i % side, i * 7 % side) for i in range(points))


def wmf_record(kind, side):
    if kind == "rect":
        return struct.pack("<IHhhhh", 7, 0x041B, 20, 20, 10, 10)
    if kind == "line":
        return struct.pack("<IHhh", 5, 0x0213, 20, 20)
    if kind == "text":
        return struct.pack("<IHh", 7, 0x0521, 2) + b"ab" + struct.pack("<hh", 10, 10)
    points, coordinates = polyline(side)
    return struct.pack("<IHh", 4 + 2 * points, 0x0325, points) + coordinates


def emf_record(kind, side):
    if kind == "rect":
        return struct.pack("<IIiiii", 43, 24, 10, 10, 20, 20)
    if kind == "line":
        return struct.pack("<IIii", 54, 16, 20, 20)
    if kind == "text":
        # EMR_EXTTEXTOUTW: bounds, mode, scales, then the text object with its two characters.
        text = struct.pack("<iiIIIiiiiI", 10, 10, 2, 76, 0, 0, 0, 100, 100, 0) + "ab".encode("utf-16-le")
        return struct.pack("<IIiiiiIff", 84, 8 + 28 + len(text), 0, 0, 100, 100, 1, 1.0, 1.0) + text
    points, coordinates = polyline(side)
    return struct.pack("<IIiiiiI", 87, 28 + 4 * points, 0, 0, side, side, points) + coordinates


def write_records(out, record, count):
    block = record * 4096
    for _ in range(count // 4096):
        out.write(block)
    out.write(record * (count % 4096))


def write_wmf(path, kind, size, side):
    """A placeable WMF of side x side units with a red brush and records of one kind."""
    head = placeable_head(side)
    setup = red_frame(side)
    end = END
    record = wmf_record(kind, side)
    count = max(1, (size - len(head) - 18 - len(setup) - len(end)) // len(record))
    words = (18 + len(setup) + count * len(record) + len(end)) // 2
    standard = struct.pack("<HHHIHIH", 1, 9, 0x0300, words, 1, max(7, len(record) // 2), 0)
    with open(path, "wb") as out:
        out.write(head + standard + setup)
        write_records(out, record, count)
        out.write(end)


def write_emf(path, kind, size, side):
    """An EMF of side x side pixels with a red brush and records of one kind."""
    setup = struct.pack("<IIIIII", 39, 24, 1, 0, 0x0000FF, 0) + struct.pack("<III", 37, 12, 1)
    end = struct.pack("<IIIII", 14, 20, 0, 16, 20)
    record = emf_record(kind, side)
    count = max(1, (size - 88 - len(setup) - len(end)) // len(record))
    total = 88 + len(setup) + count * len(record) + len(end)
    millimetres = side * 254 // 960  # at 96 pixels an inch, in hundredths of a millimetre below
    header = struct.pack("<IIiiiiiiii", 1, 88, 0, 0, side - 1, side - 1, 0, 0, millimetres * 100, millimetres * 100)
    header += struct.pack("<IIIIHH", 0x464D4520, 0x10000, total, count + 4, 2, 0)
    header += struct.pack("<IIIiiii", 0, 0, 0, 1024, 768, 271, 203)
    with open(path, "wb") as out:
        out.write(header + setup)
        write_records(out, record, count)
        out.write(end)


def run_helper(helper, path, limit_mib):
    """Peak address space and resident size in MiB, processor seconds, whether a picture came."""
    def limits():
        if limit_mib:
            space = limit_mib << 20
            resource.setrlimit(resource.RLIMIT_AS, (space, space))
    env = dict(os.environ, XDG_RUNTIME_DIR=os.environ.get("XDG_RUNTIME_DIR", tempfile.gettempdir()))
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    with open(path, "rb") as source:
        helper_process = subprocess.Popen([helper], stdin=source, stdout=subprocess.PIPE,
                                          stderr=subprocess.DEVNULL, preexec_fn=limits, env=env)
        received = []
        reader = threading.Thread(target=lambda: received.append(len(helper_process.stdout.read())))
        reader.start()
        peak = resident = 0
        while helper_process.poll() is None:
            try:
                with open(f"/proc/{helper_process.pid}/status") as status:
                    for line in status:
                        if line.startswith("VmPeak:"):
                            peak = max(peak, int(line.split()[1]))
                        elif line.startswith("VmHWM:"):
                            resident = max(resident, int(line.split()[1]))
            except OSError:
                pass
            time.sleep(0.002)
        reader.join()
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    seconds = after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime
    return peak / 1024, resident / 1024, seconds, helper_process.returncode == 0 and received[0] > 12


def size_of(text):
    scale = {"K": 1 << 10, "M": 1 << 20}.get(text[-1:].upper(), 1)
    return int(float(text.rstrip("kKmM")) * scale)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--helper", default=os.path.join(ROOT, "build", "kiv-metafile"))
    parser.add_argument("--side", type=int, default=8000)
    parser.add_argument("--limit", type=int, default=0, help="address-space limit in MiB, as the child's")
    parser.add_argument("--kinds", default="rect,line,text,poly")
    parser.add_argument("--formats", default="wmf,emf")
    parser.add_argument("sizes", nargs="+")
    args = parser.parse_args()
    work = tempfile.mkdtemp()
    try:
        for size in map(size_of, args.sizes):
            for fmt in args.formats.split(","):
                for kind in args.kinds.split(","):
                    path = os.path.join(work, f"{kind}.{fmt}")
                    (write_wmf if fmt == "wmf" else write_emf)(path, kind, size, args.side)
                    peak, resident, seconds, drawn = run_helper(args.helper, path, args.limit)
                    print(f"metafile_limit/{fmt}/{kind}/{os.path.getsize(path)}: VmPeak {peak:.0f} MiB, "
                          f"resident {resident:.0f} MiB, {seconds:.2f} s processor, "
                          f"{'drawn' if drawn else 'not drawn'}", flush=True)
                    os.remove(path)
    finally:
        os.rmdir(work)
    return 0


if __name__ == "__main__":
    sys.exit(main())
