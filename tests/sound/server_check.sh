#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A sound reaches a sound server: a private pulseaudio with a null sink, its monitor
# recorded with parec and measured with sox. Without a server the player stays silent,
# exits normally and says so in at most one line.
# Usage: server_check.sh SOUNDGEN SOUND_FOLDER   (exit 77: the programs are missing, skipped)
set -u
gen=$1 folder=$2
for p in pulseaudio parec sox; do command -v $p >/dev/null || { echo "$p fehlt: übersprungen"; exit 77; }; done
tmp=$(mktemp -d) pa=0 rec=0
trap '[ $rec != 0 ] && kill $rec; [ $pa != 0 ] && kill $pa; wait; rm -rf "$tmp"' EXIT
export HOME=$tmp XDG_RUNTIME_DIR=$tmp PULSE_SERVER=unix:$tmp/native

PULSE_SERVER=unix:$tmp/none "$gen" --play "$folder" wuerfeln.wav 2>"$tmp/err" || { echo "FAIL: exit $? without a server"; exit 1; }
[ "$(wc -l <"$tmp/err")" -le 1 ] || { echo "FAIL: more than one line without a server:"; cat "$tmp/err"; exit 1; }

pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no -L "module-null-sink sink_name=tj" \
  -L "module-native-protocol-unix socket=$tmp/native" >"$tmp/pa.log" 2>&1 &
pa=$!
for _ in $(seq 50); do [ -S "$tmp/native" ] && break; sleep 0.1; done
parec -d tj.monitor --raw --format=s16le --rate=22050 --channels=1 >"$tmp/rec.raw" 2>/dev/null &
rec=$!
sleep 0.3
"$gen" --play "$folder" richtig.wav gewonnen.wav || { echo "FAIL: exit $? with a server"; exit 1; }
sleep 0.3
kill $rec && wait $rec 2>/dev/null; rec=0
rms=$(sox -t raw -r 22050 -e signed -b 16 -c 1 "$tmp/rec.raw" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
awk -v r="${rms:-0}" 'BEGIN { exit !(r > 0.02) }' || { echo "FAIL: the server heard nothing (RMS ${rms:-none})"; exit 1; }
