#!/usr/bin/env bash
# Start-up and idle figures of the clock window, measured from outside the process.
# Usage: bench/startup.sh [RUNS] [BUILD]   (RUNS defaults to 7, BUILD to build/)
#  - first paint and end of the first tick: the median of RUNS starts with --timing (warm:
#    the first, cold run is not counted);
#  - resident size with the clock window shown (information window hidden) after 10 s;
#  - processor time used over the following idle minute, as a share of one core.
# Runs under its own Xvfb on fresh settings; nothing of the user's is read or written.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
build=${2:-$root/build}
program="$build/bin/skelvane"
[[ -x "$program" ]] || { echo "startup.sh: no $program (run scripts/build)" >&2; exit 1; }
scratch=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT
export DISPLAY=$display XDG_CONFIG_HOME="$scratch/config" TZ=${TZ:-America/New_York}
sleep 1

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

paints=() ticks=()
for run in $(seq 0 "$runs"); do
  rm -rf "$scratch/settings" "$scratch/shots"
  mkdir -p "$scratch/settings"
  output=$("$program" --settings-dir "$scratch/settings" --timing --screenshot "$scratch/shots" 2>&1 >/dev/null)
  [[ $run -eq 0 ]] && continue # the cold start fills the caches
  paints+=("$(sed -n 's/.*first paint of the clock window \([0-9]*\) ms.*/\1/p' <<<"$output")")
  ticks+=("$(sed -n 's/.*end of the first tick \([0-9]*\) ms.*/\1/p' <<<"$output")")
done
echo "first paint (median of $runs warm starts):   $(printf '%s\n' "${paints[@]}" | median) ms"
echo "end of first tick (median):                  $(printf '%s\n' "${ticks[@]}" | median) ms"

# The clock window alone: the information window stays hidden.
rm -rf "$scratch/settings" && mkdir -p "$scratch/settings"
printf '[Settings]\nShowInfoFormAtStartup=false\n' >"$scratch/settings/Skelvane.conf"
"$program" --settings-dir "$scratch/settings" >/dev/null 2>&1 &
pid=$!
sleep 10
rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
before=$(cpu_ticks)
sleep 60
after=$(cpu_ticks)
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
hz=$(getconf CLK_TCK)
echo "resident size, clock window only, after 10 s: $(awk -v k="$rss" 'BEGIN { printf "%.1f", k / 1024 }') MB"
echo "processor time over an idle minute:           $(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "%.2f", 100 * t / hz / 60 }') % of one core"
