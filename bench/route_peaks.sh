#!/bin/bash
# The peak memory of every picture route over the same route with the standard pictures, for the
# hostile and the largest admitted pictures: one run of route_peak per picture and route.
#   bench/route_peaks.sh [build folder]      (release build; the texture route needs a display)
set -euo pipefail
build=${1:-build}
peak="$build/bench/route_peak"
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-xcb}

"$peak" jpeg 8192 8192 "$work/true-colour-8192x8192.jpg" >/dev/null
"$peak" jpeg 16384 4096 "$work/true-colour-16384x4096.jpg" >/dev/null
# A 16384 x 8192 RGBA PNG behind an icon directory whose one entry says 0 x 0 (256 x 256).
python3 - "$work/png-16384x8192-in-ico.ico" <<'PY'
import struct, sys, zlib
w, h = 16384, 8192
z = zlib.compressobj(9)
row = b"\0" + b"\x40\x80\xc0\xff" * w
data = b"".join(z.compress(row) for _ in range(h)) + z.flush()
def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) + chunk(b"IDAT", data) + chunk(b"IEND", b"")
ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(png), 22) + png
open(sys.argv[1], "wb").write(ico)
PY

pictures=("$here/../shared/data/picture-findings/bmp-rle8-early-end-huge.bmp"
          "$here/../shared/data/picture-routes/bmp-rle8-16384x16384.bmp"
          "$work/png-16384x8192-in-ico.ico"
          "$work/true-colour-8192x8192.jpg"
          "$work/true-colour-16384x4096.jpg")
[ -e "${pictures[0]}" ] || pictures[0]="$here/fuzz/corpus/picture/bmp-rle8-early-end-huge.bmp"
[ -e "${pictures[1]}" ] || pictures[1]="$here/fuzz/corpus/picture/bmp-rle8-16384x16384.bmp"

printf '%-8s %9s' route standard
for p in "${pictures[@]}"; do printf ' %30s' "$(basename "$p")"; done
printf '\n'
for route in map night wdb texture overlay preview; do
    read -r base _ < <("$peak" $route)
    printf '%-8s %6s MiB' $route "$base"
    for p in "${pictures[@]}"; do
        read -r mib kept < <("$peak" $route "$p")
        printf ' %22s MiB %-7s' "+$((mib - base))" "$kept"
    done
    printf '\n'
done
