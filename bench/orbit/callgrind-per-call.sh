#!/bin/bash
# Instructions per Sgp4Model::propagate call, counted by callgrind over one day in 1-minute
# steps (one iteration of each benchmark). Build first with `make build` (RelWithDebInfo, -O2).
#   bench/orbit/callgrind-per-call.sh [build/bench/bench_orbit] [benchmark name ...]
set -euo pipefail
bench=${1:-build/bench/bench_orbit}
shift || true
names=("$@")
[ ${#names[@]} -gt 0 ] || names=(near_earth_06251 resonant_24h_28626 resonant_12h_08195 deep_space_11801)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for name in "${names[@]}"; do
  valgrind --tool=callgrind --callgrind-out-file="$out/$name" "$bench" \
    --benchmark_filter="propagateOneDay/$name\$" --benchmark_min_time=0 >/dev/null 2>&1
  # In the caller tree, the block of propagate: its callers with call counts ("<" lines,
  # "(1,441x)") and its inclusive count ("*" line).
  callgrind_annotate --inclusive=yes --tree=caller "$out/$name" 2>/dev/null | perl -ne '
    BEGIN { $name = shift @ARGV }
    if (/^\s*$/) { $calls = 0; next }
    if (/^\s*[\d,]+ .*< .*\(([\d,]+)x\)/) { ($c = $1) =~ tr/,//d; $calls += $c }
    if (!$done && /^\s*([\d,]+) .*\* .*Sgp4Model::propagate\(double/) {
      ($ir = $1) =~ tr/,//d; $done = 1;
      printf "%-24s %6.0f instructions per call (%d calls)\n", $name, $ir / $calls, $calls }' "$name"
done
