#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# "Vorlesen" is heard: a question dialog of the real game, opened with it on, reaches a
# private pulseaudio null sink through speech-dispatcher (recorded with parec, measured
# with sox); with it off nothing is heard and the speech module is not even loaded.
# Usage: voice_check.sh PROBE DATABASE   (exit 77: the programs are missing, skipped)
set -u
probe=$1 db=$2
for p in pulseaudio parec sox speech-dispatcher; do
  command -v $p >/dev/null || { echo "$p fehlt: übersprungen"; exit 77; }
done
tmp=$(mktemp -d) pa=0 rec=0
speechd_pid() { cat "$tmp/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null; }
cleanup() {
  [ $rec != 0 ] && kill $rec
  local sd; sd=$(speechd_pid); [ -n "$sd" ] && kill "$sd" 2>/dev/null
  [ $pa != 0 ] && kill $pa
  wait; rm -rf "$tmp"
}
trap cleanup EXIT
# A private home: the speech service started for the game finds no one else's settings.
export HOME=$tmp XDG_RUNTIME_DIR=$tmp XDG_CONFIG_HOME=$tmp/config PULSE_SERVER=unix:$tmp/native
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no -L "module-null-sink sink_name=tj" \
  -L "module-native-protocol-unix socket=$tmp/native" >"$tmp/pa.log" 2>&1 &
pa=$!
for _ in $(seq 50); do [ -S "$tmp/native" ] && break; sleep 0.1; done

# Records what the sink plays while the probe runs; prints its RMS amplitude.
heard() {
  parec -d tj.monitor --raw --format=s16le --rate=16000 --channels=1 >"$tmp/rec.raw" 2>/dev/null &
  rec=$!
  sleep 0.3
  "$probe" "$db" "$1" 1 >"$tmp/out.$1" 2>"$tmp/err.$1" || { echo "FAIL: the probe ended with $? ($1)"; cat "$tmp/err.$1"; exit 1; }
  kill $rec && wait $rec 2>/dev/null; rec=0
  sox -t raw -r 16000 -e signed -b 16 -c 1 "$tmp/rec.raw" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}'
}

off=$(heard off)
grep -qx "MAPPED 0" "$tmp/out.off" || { echo "FAIL: the speech module was loaded with Vorlesen off"; exit 1; }
awk -v r="${off:-1}" 'BEGIN { exit !(r < 0.001) }' || { echo "FAIL: heard something with Vorlesen off (RMS ${off:-none})"; exit 1; }

on=$(heard on)
grep -qx "MAPPED 1" "$tmp/out.on" || { echo "FAIL: the speech module was not loaded with Vorlesen on"; cat "$tmp/err.on"; exit 1; }
awk -v r="${on:-0}" 'BEGIN { exit !(r > 0.01) }' || { echo "FAIL: the question was not heard (RMS ${on:-none})"; cat "$tmp/err.on"; exit 1; }
grep -q "^FRAME_TO_SOUND [0-9]" "$tmp/out.on" || { echo "FAIL: no sound after the question's first frame"; exit 1; }
echo "heard: RMS $on with Vorlesen on, $off off"
