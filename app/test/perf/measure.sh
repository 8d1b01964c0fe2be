#!/usr/bin/env bash
# Measures the program on a virtual X server with Mesa's software renderer (llvmpipe):
#   start to first frame, frame rate next to a bare clear-and-swap loop in the same X server,
#   Escape to exit, peak memory. Prints one line per run and the medians.
#
#   measure.sh BUILD-DIR [RUNS] [SECONDS]
# BUILD-DIR is a plain (not sanitizer) build with app/velmory, app/bare_loop, app/libswap_timer.so.
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-5}
seconds=${3:-5}
here=$(cd "$(dirname "$0")/.." && pwd)
root=$(cd "$here/../.." && pwd)
source "$here/xvfb.sh"

work=$(mktemp -d)
cleanup() { stop_xvfb; rm -rf "$work"; }
trap cleanup EXIT
mkdir "$work/res"
cp "$root/res/hd" "$root/res/tl" "$root/res/fm" "$work/res/"
start_xvfb

ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b - a) / 1e6 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$work/results"
for ((run = 1; run <= runs; ++run)); do
  start=$(date +%s%N)
  (cd "$work" && LD_PRELOAD="$build/app/libswap_timer.so" exec "$build/app/velmory" 2>"$work/timer") &
  pid=$!
  sleep "$seconds"
  xdotool keydown Escape
  escape=$(date +%s%N)
  wait "$pid"
  ended=$(date +%s%N)
  xdotool keyup Escape
  read -r _ swaps _ first _ second _ last _ rss <"$work/timer"
  fps=$(awk -v n="$swaps" -v a="$second" -v b="$last" 'BEGIN { printf "%.1f", (n - 2) / ((b - a) / 1e9) }')
  bare=$("$build/app/bare_loop" "$seconds" | awk '{ print $6 }')
  ratio=$(awk -v a="$fps" -v b="$bare" 'BEGIN { printf "%.2f", a / b }')
  line="first_frame_ms $(ms "$start" "$second") black_ms $(ms "$start" "$first") fps $fps bare_fps $bare ratio $ratio escape_exit_ms $(ms "$escape" "$ended") peak_rss_kb $rss"
  echo "run $run: $line"
  echo "$line" >>"$work/results"
done

echo -n "median:"
for field in first_frame_ms black_ms fps bare_fps ratio escape_exit_ms peak_rss_kb; do
  echo -n " $field $(awk -v f="$field" '{ for (i = 1; i < NF; i += 2) if ($i == f) print $(i + 1) }' "$work/results" | median)"
done
echo
