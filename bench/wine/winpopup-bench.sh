#!/usr/bin/env bash
# One delivery by Varnel's direct road against one by `smbclient -M`, to the same private smbd on 127.0.0.1:139,
# side by side in one run: client-side times and the receiver's own span for each message (needs root).
set -euo pipefail
cd "$(dirname "$0")/../.."
export LC_ALL=C # figures with a decimal point; the Wine runs set their own locale
count=${1:-40}
build=${BUILD_DIR:-build/win32}
cmake --preset win32 -B "$build" >/dev/null
cmake --build "$build" --target winpopup_bench >/dev/null
source tests/winpopup/smbd.sh
smbd_prepare "$PWD/$build/winpopup-bench"
trap smbd_stop EXIT
smbd_start receiving
dir=$SMBD_DIR
# About 300 characters: three text blocks for both clients.
for i in 1 2 3 4 5 6; do printf 'Öğleden sonra saat üçte toplantı var, çayı ısıtın: %d. satır\r\n' "$i"; done |
  iconv -f UTF-8 -t CP1254 >"$dir/text.cp1254"
iconv -f CP1254 -t CP857 "$dir/text.cp1254" >"$dir/text.cp857"

median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }

# Rounds alternate between the two clients, so that a busy moment of the machine falls on both alike.
rounds=5
per_round=$(( (count + rounds - 1) / rounds ))
ours="" theirs=""
for round in $(seq "$rounds"); do
  ours+="$(cmake/wine-run.sh "$build/bin/winpopup_bench.exe" "$per_round" localhost \
    "$(echo "Z:$dir/text.cp1254" | tr / '\\')" | awk '/^ours_us/ {print $2}')"$'\n'
  for i in $(seq "$per_round"); do
    start=$(date +%s%N)
    smbclient -s "$dir/smb.conf" -M LOCALHOST -I 127.0.0.1 -p 139 -U SMBCLIENT -N <"$dir/text.cp857" >/dev/null 2>&1
    theirs+="$(( ($(date +%s%N) - start) / 1000 ))"$'\n'
  done
done
total=$((rounds * per_round))
[ "$(printf '%s' "$ours" | grep -c .)" = "$total" ] || { echo "the direct deliveries did not all succeed" >&2; exit 1; }

# The receiver's span per message: from the session request to the end of the message, from smbd's own log.
spans=$(awk '
  /^\[/ { split($2, t, ":"); sub(",", "", t[3]); now = t[1] * 3600 + t[2] * 60 + t[3] }
  /netbios connect: name1=/ { start = now }
  /SMBsendstrt \(from/ { from = $3 }
  /switch message SMBsendend/ { printf "%s %.0f\n", from, (now - start) * 1e6 }' "$dir/log.smbd")
messages=$(ls "$dir/msgs" | wc -l)

ours_median=$(printf '%s' "$ours" | grep . | median)
theirs_median=$(printf '%s' "$theirs" | grep . | median)
echo "deliveries each: $total; messages saved by smbd: $messages (expected $((2 * total)))"
echo "client side, median us: varnel (in process, under Wine) $ours_median; smbclient -M (whole process) $theirs_median"
ours_span=$(echo "$spans" | awk '$1 == "VARNEL-BENCH" {print $2}' | median)
theirs_span=$(echo "$spans" | awk '$1 == "SMBCLIENT" {print $2}' | median)
echo "receiver side, median us from session request to end of message: varnel $ours_span; smbclient $theirs_span"
awk -v a="$ours_median" -v b="$theirs_median" -v c="$ours_span" -v d="$theirs_span" \
  'BEGIN {printf "ratio varnel/smbclient: client side %.2f, receiver side %.2f\n", a / b, c / d}'
