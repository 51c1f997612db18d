#!/usr/bin/env bash
# Start-up of the program against a bare Qt window with one label, both built
# with the same flags, on a private Xvfb with no window manager.
#   Wall clock: RUNS starts of each (default 15), interleaved; from exec to the
#   window mapped and to its first frame (median and minimum), and resident
#   memory once shown (median), read by startup_probe.
#   Instructions: one run of each under callgrind, from exec to the first flush
#   of the window's backing store (the first frame); these repeat to a fraction
#   of a percent where wall times on a shared machine spread widely.
# Usage: startup.sh BUILD_DIR   (a build with -DQUORVEL_BENCH=ON)
set -euo pipefail
. "$(dirname "$0")/../../scripts/screen.sh"
on_private_x "$0" "$@"
build=$(cd "${1:?usage: startup.sh BUILD_DIR}" && pwd)
runs=${RUNS:-15}
program=$build/app/quorvel
reference=$build/bench/reference_window
probe=$build/bench/startup_probe
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
mkdir -m 700 "$XDG_RUNTIME_DIR"

trap 'rm -rf "$work"' EXIT

for _ in $(seq "$runs"); do
  "$probe" "$program" >> "$work/program.txt"
  "$probe" "$reference" >> "$work/reference.txt"
done

# Median and minimum of column N of a file.
stats() {
  local values
  mapfile -t values < <(cut -d' ' -f"$2" "$1" | sort -n)
  local n=${#values[@]}
  local median=${values[n / 2]}
  if ((n % 2 == 0)); then
    median=$(awk -v a="${values[n / 2 - 1]}" -v b="$median" 'BEGIN { print (a + b) / 2 }')
  fi
  echo "$median ${values[0]}"
}
read -r p_map p_map_min < <(stats "$work/program.txt" 1)
read -r p_frame p_frame_min < <(stats "$work/program.txt" 2)
read -r p_rss _ < <(stats "$work/program.txt" 3)
read -r r_map r_map_min < <(stats "$work/reference.txt" 1)
read -r r_frame r_frame_min < <(stats "$work/reference.txt" 2)
read -r r_rss _ < <(stats "$work/reference.txt" 3)
r_map_max=$(sort -n -k1 "$work/reference.txt" | tail -n 1 | awk '{print $1}')

instructions() {
  local out=$work/cg-$1
  mkdir -p "$out"
  valgrind --tool=callgrind --dump-after='QBackingStore::flush*' \
    --callgrind-out-file="$out/callgrind.out" "$2" > "$out/log" 2>&1 &
  local vg=$!
  for _ in $(seq 600); do
    [ -s "$out/callgrind.out.1" ] && grep -q '^totals' "$out/callgrind.out.1" && break
    sleep 0.1
  done
  kill $vg 2>/dev/null || true
  wait $vg 2>/dev/null || true
  awk '/^summary:/ { print $2 }' "$out/callgrind.out.1"
}
p_ir=$(instructions program "$program")
r_ir=$(instructions reference "$reference")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { if [ "$1" = 1 ]; then echo "within budget"; else echo "OVER BUDGET"; fi; }

printf '%-34s %14s %14s %8s\n' "" "program" "reference" "ratio"
printf '%-34s %14s %14s %8s\n' "map, median ms ($runs runs)" "$p_map" "$r_map" "$(ratio "$p_map" "$r_map")"
printf '%-34s %14s %14s\n' "map, minimum ms" "$p_map_min" "$r_map_min"
printf '%-34s %14s %14s %8s\n' "first frame, median ms" "$p_frame" "$r_frame" "$(ratio "$p_frame" "$r_frame")"
printf '%-34s %14s %14s\n' "first frame, minimum ms" "$p_frame_min" "$r_frame_min"
printf '%-34s %14s %14s %8s\n' "resident memory, median kB" "$p_rss" "$r_rss" "$(ratio "$p_rss" "$r_rss")"
printf '%-34s %14s %14s %8s\n' "instructions to first frame" "$p_ir" "$r_ir" "$(ratio "$p_ir" "$r_ir")"
echo
echo "instructions at most 1.15 x the reference's: $(verdict "$(awk -v a="$p_ir" -v b="$r_ir" 'BEGIN{print (a <= 1.15 * b)}')")"
echo "map time within the reference's spread (<= $r_map_max ms): $(verdict "$(awk -v a="$p_map" -v b="$r_map_max" 'BEGIN{print (a <= b)}')")"
echo "resident memory at most the reference's + 2 MB: $(verdict "$(awk -v a="$p_rss" -v b="$r_rss" 'BEGIN{print (a <= b + 2048)}')")"
