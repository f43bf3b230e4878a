#!/usr/bin/env bash
# Times tovrin-scan --delay 0 over 2000 numbers of the local demo site beside curl fetching the
# same 2000 addresses with URL globbing (one connection, bodies discarded); prints pages per
# second of both and their ratio (target: scan >= 0.8 x curl).
#   bench/scanner/scan-vs-curl.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-${TOVRIN_BUILD_DIR:-build}}
count=2000
cmake --build "$build" --target tovrin-scan tovrin-demo-site >/dev/null

exec {demo_out}< <(exec "$build/tools/demo-site/tovrin-demo-site" --port 0 --newest "$count")
demo_pid=$!
trap 'kill $demo_pid 2>/dev/null || true' EXIT
read -r port <&"$demo_out"
host="127.0.0.1:$port"
export no_proxy="127.0.0.1,localhost${no_proxy:+,$no_proxy}"
log=$(mktemp)

seconds() { date +%s.%N; }
# Warm-up so both runs meet a warm server.
curl -s "http://$host/[1-50]" >/dev/null

# Alternating rounds; the median of each side is reported (the machine may be shared).
rounds=${ROUNDS:-3}
curl_times=() scan_times=()
for ((r = 0; r < rounds; r++)); do
  t0=$(seconds)
  curl -s "http://$host/[1-$count]" >/dev/null
  t1=$(seconds)
  "$build/app/tovrin-scan" --host "$host" --delay 0 --quiet --log "$log" 1 "$count" >/dev/null
  t2=$(seconds)
  curl_times+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')")
  scan_times+=("$(awk -v a="$t1" -v b="$t2" 'BEGIN { print b - a }')")
done
lines=$(($(wc -l <"$log") - 1))
rm -f "$log"
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

awk -v n="$count" -v c="$(median "${curl_times[@]}")" -v s="$(median "${scan_times[@]}")" -v l="$lines" -v r="$rounds" 'BEGIN {
  printf "curl (URL globbing): %d pages in %.3f s = %.0f pages/s (median of %d)\n", n, c, n / c, r
  printf "tovrin-scan:         %d pages in %.3f s = %.0f pages/s (%d log lines)\n", n, s, n / s, l
  printf "ratio scan/curl:     %.2f (target >= 0.80)\n", (n / s) / (n / c)
}'
