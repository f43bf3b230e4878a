#!/usr/bin/env bash
# Times tovrin-scan --delay 0 over 2000 numbers of the local demo site beside curl fetching the
# same 2000 addresses with URL globbing (one connection, bodies discarded):
#   curl -s "http://127.0.0.1:PORT/[1-2000]" -o /dev/null
# in alternating rounds, and prints the median time of each side and their ratio in pages per
# second (target: scan >= 1.0 x curl). Every round's log must be the same bytes.
#   bench/scanner/scan-vs-curl.sh [BUILD_DIR]
# ROUNDS=N sets the rounds (default 7). BEFORE=/path/to/an/older/tovrin-scan runs that binary in
# the same rounds too, for a before/after figure from one run.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-${TOVRIN_BUILD_DIR:-build}}
count=2000
cmake --build "$build" --target tovrin-scan tovrin-demo-site >/dev/null

exec {demo_out}< <(exec "$build/tools/demo-site/tovrin-demo-site" --port 0 --newest "$count")
demo_pid=$!
work=$(mktemp -d)
trap 'kill $demo_pid 2>/dev/null || true; rm -rf "$work"' EXIT
read -r port <&"$demo_out"
host="127.0.0.1:$port"
export no_proxy="127.0.0.1,localhost${no_proxy:+,$no_proxy}"

seconds() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { print b - a }'; }
# Warm-up so that every side meets a warm server.
curl -s "http://$host/[1-50]" -o /dev/null

scans=("$build/app/tovrin-scan")
names=("tovrin-scan")
if [[ -n "${BEFORE:-}" ]]; then
  scans+=("$BEFORE")
  names+=("before")
fi

rounds=${ROUNDS:-7}
curl_times=()
declare -A scan_times
for ((r = 0; r < rounds; r++)); do
  t0=$(seconds)
  curl -s "http://$host/[1-$count]" -o /dev/null
  t1=$(seconds)
  curl_times+=("$(elapsed "$t0" "$t1")")
  for ((k = 0; k < ${#scans[@]}; k++)); do
    t0=$(seconds)
    "${scans[k]}" --host "$host" --delay 0 --quiet --log "$work/log-$k-$r.txt" 1 "$count" >/dev/null
    t1=$(seconds)
    scan_times[$k]+="$(elapsed "$t0" "$t1") "
  done
done
for f in "$work"/log-*.txt; do
  cmp -s "$f" "$work/log-0-0.txt" || { echo "the logs of the rounds differ: $f" >&2; exit 1; }
done
lines=$(($(wc -l <"$work/log-0-0.txt") - 1))
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

curl_median=$(median "${curl_times[@]}")
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg); $rounds alternating rounds, medians"
echo "curl -s \"http://$host/[1-$count]\" -o /dev/null"
awk -v n="$count" -v c="$curl_median" 'BEGIN { printf "  curl (URL globbing): %d pages in %.3f s = %.0f pages/s\n", n, c, n / c }'
for ((k = 0; k < ${#scans[@]}; k++)); do
  # shellcheck disable=SC2086
  s=$(median ${scan_times[$k]})
  awk -v n="$count" -v c="$curl_median" -v s="$s" -v name="${names[k]}" -v l="$lines" 'BEGIN {
    printf "  %-19s %d pages in %.3f s = %.0f pages/s (%d log lines); scan/curl %.2f (target >= 1.00)\n",
           name ":", n, s, n / s, l, (n / s) / (n / c)
  }'
done
