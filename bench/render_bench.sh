#!/usr/bin/env bash
# plughost render against sox on the same files, side by side in one run:
# each file is rendered through Quillon (Threshold 0.25, Ratio 0.25) and
# converted to 32-bit float by sox, and the figures are printed per file.
#
#   bench/render_bench.sh [MINUTES]...     (default: 10 60)
#
# Render's start-up (loading Wine, the plug-in and its first block) is the
# time of rendering a 1-second file; "net" is the render less that, which is
# what the ratio to sox compares. Each time is the best of three runs, the
# two commands taking turns, so that neither pays alone for a cold cache or
# the write-back of the file made just before. Peak memory is the largest
# resident size of the process, as GNU time reports it. Expects the 64-bit
# build and a running Wine (scripts/bench.sh provides both).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
plughost="$root/build/win64/plughost.exe"
quillon="$root/build/win64/quillon.dll"
minutes=("$@")
[ ${#minutes[@]} -gt 0 ] || minutes=(10 60)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

runs=3

# Seconds and peak kilobytes of one command, as "SECONDS KB"; its output
# file is removed again.
measure() {
  local output=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/err" || {
    echo "render_bench: failed: $*" >&2; cat "$work/err" >&2; exit 1; }
  rm -f "$output"
  cat "$work/time"
}

render() {
  measure "$work/out.wav" wine "$plughost" render "$quillon" -i "$1" -o "$work/out.wav" --param 0=0.25 --param 1=0.25
}

convert() {
  measure "$work/sox.wav" sox "$1" -e floating-point -b 32 "$work/sox.wav"
}

# The smaller of two "SECONDS KB" lines' times with the larger peak.
best() {
  awk -v a="$1" -v b="$2" 'BEGIN { split(a, x, " "); split(b, y, " ");
    printf "%s %s\n", (x[1] < y[1] ? x[1] : y[1]), (x[2] > y[2] ? x[2] : y[2]) }'
}

# 16-bit stereo pink noise at 44.1 kHz, the common case of a mixdown.
make_input() {
  sox -q -n -r 44100 -c 2 -b 16 "$2" synth "$1" pinknoise vol 0.5
}

make_input 1 "$work/start.wav"
startup_best="1e9 0"
# Each measure is taken on its own line: inside another command's arguments
# its failure would be lost, and the table would show zeros.
for _ in $(seq $runs); do
  r=$(render "$work/start.wav")
  startup_best=$(best "$startup_best" "$r")
done
read -r startup _ <<<"$startup_best"
printf 'render start-up (1-second file): %.2f s\n' "$startup"
printf '%-8s %9s %9s %9s %9s %7s %12s %10s\n' "file" "size" "render" "net" "sox" "ratio" "render peak" "sox peak"
for m in "${minutes[@]}"; do
  input="$work/in-$m.wav"
  make_input $((m * 60)) "$input"
  sox_best="1e9 0" render_best="1e9 0"
  for _ in $(seq $runs); do
    s=$(convert "$input")
    sox_best=$(best "$sox_best" "$s")
    r=$(render "$input")
    render_best=$(best "$render_best" "$r")
  done
  read -r sox_s sox_kb <<<"$sox_best"
  read -r render_s render_kb <<<"$render_best"
  awk -v m="$m" -v size="$(stat -c %s "$input")" -v r="$render_s" -v s="$sox_s" -v st="$startup" \
      -v rk="$render_kb" -v sk="$sox_kb" 'BEGIN {
    net = r - st; if (net < 0) net = 0
    printf "%-8s %6.0f MB %7.2f s %7.2f s %7.2f s %7.2f %9.1f MB %7.1f MB\n",
           m " min", size / 1e6, r, net, s, (s > 0 ? net / s : 0), rk / 1024, sk / 1024 }'
  rm -f "$input"
done
