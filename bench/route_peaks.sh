#!/bin/bash
# The peak memory of every picture route over the same route with the standard pictures, for the
# hostile and the largest admitted pictures: one run of route_peak per picture and route. A second
# table gives what each run read beyond the standard run: a file's bytes past its picture are not
# read. The padded files are sparse and the uncompressed ones 192 MiB: the work folder ($TMPDIR)
# needs about 1 GiB.
#   bench/route_peaks.sh [build folder]      (release build; the texture route needs a display)
set -euo pipefail
build=${1:-build}
peak="$build/bench/route_peak"
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-xcb}

"$peak" write jpeg 8192 8192 "$work/true-colour-8192x8192.jpg" >/dev/null
"$peak" write jpeg 16384 4096 "$work/true-colour-16384x4096.jpg" >/dev/null
# The uncompressed largest pictures, and two small pictures padded with zeros to 1,200 MiB.
for format in tiff pcx bmp; do
    "$peak" write $format 8192 8192 "$work/raw-8192x8192.$format" >/dev/null
done
"$peak" write tiff 16384 4096 "$work/raw-16384x4096.tiff" >/dev/null
"$peak" write bmp 64 64 "$work/padded-64x64.bmp" >/dev/null
cp "$work/true-colour-8192x8192.jpg" "$work/padded-8192x8192.jpg"
truncate -s 1200M "$work/padded-64x64.bmp" "$work/padded-8192x8192.jpg"
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
          "$work/true-colour-16384x4096.jpg"
          "$work/padded-64x64.bmp"
          "$work/padded-8192x8192.jpg"
          "$work/raw-8192x8192.tiff"
          "$work/raw-8192x8192.pcx"
          "$work/raw-8192x8192.bmp"
          "$work/raw-16384x4096.tiff")
[ -e "${pictures[0]}" ] || pictures[0]="$here/fuzz/corpus/picture/bmp-rle8-early-end-huge.bmp"
[ -e "${pictures[1]}" ] || pictures[1]="$here/fuzz/corpus/picture/bmp-rle8-16384x16384.bmp"

reads=$work/reads
heading() {
    printf '%-8s %9s' route standard
    for p in "${pictures[@]}"; do printf ' %30s' "$(basename "$p")"; done
    printf '\n'
}
heading
for route in map night wdb texture overlay preview; do
    read -r base _ baseRead < <("$peak" $route)
    printf '%-8s %6s MiB' $route "$base"
    printf '%-8s %6s MiB' $route "$baseRead" >>"$reads"
    for p in "${pictures[@]}"; do
        read -r mib kept read < <("$peak" $route "$p")
        printf ' %22s MiB %-7s' "+$((mib - base))" "$kept"
        printf ' %26s MiB' "+$((read - baseRead))" >>"$reads"
    done
    printf '\n'
    printf '\n' >>"$reads"
done
printf '\nread\n'
heading
cat "$reads"
