# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the real-window tests with a session name: starts a virtual display of its own
# with the project's window driver (tools/windriver, on Debian's AT-SPI bindings; the process
# id makes the name unique, so parallel runs never share one) and stops it on exit or a test
# timeout; its logs stay only when the test failed. Exits 77 when the packages that
# `scripts/deps.sh --tests` installs are missing. A script names more cleanup in on_exit.
# `fail` leaves a screenshot in the folder the test runs in.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
D=$repo/tools/windriver/windriver.py
for need in Xvfb xdotool dbus-daemon /usr/libexec/at-spi-bus-launcher; do
  command -v "$need" >/dev/null || { echo "skipped: $need is missing (scripts/deps.sh --tests installs it)"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || {
  echo "skipped: python3-pyatspi is missing (scripts/deps.sh --tests installs it)"; exit 77; }
export WINDRIVER_NAME="$1-$$"
on_exit() { :; }
trap 'rc=$?; on_exit; "$D" stop >/dev/null 2>&1; [ "$rc" = 0 ] && rm -rf "/tmp/windriver-$WINDRIVER_NAME.d"' EXIT
trap 'exit 1' INT TERM HUP
fail() { echo "FAILED: $*" >&2; "$D" shot "$PWD/$(basename "$0" .sh)_failed.png" >/dev/null 2>&1; exit 1; }
"$D" start --size 1280x800 >/dev/null || fail "no virtual display"
