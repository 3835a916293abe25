# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the real-window tests with a session name: finds the desktop tool ($DESKTOP_TOOL,
# else shared/tools/desktop in a folder above the source tree, else on PATH) and exits 77
# without it, Xvfb or python3-pyatspi. Then starts a display of its own (the process id makes
# the name unique, so parallel runs never share one) and stops it on exit or a test timeout;
# its logs stay only when the test failed. A script names more cleanup in on_exit. `fail`
# leaves a screenshot in the folder the test runs in.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
D=${DESKTOP_TOOL:-$(realpath -e "$repo"/{..,../..}/shared/tools/desktop 2>/dev/null | head -1)}
[ -x "$D" ] || D=$(command -v desktop || true)
[ -n "$D" ] && command -v Xvfb >/dev/null && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || {
  echo "skipped: needs the desktop tool (DESKTOP_TOOL), Xvfb and python3-pyatspi"; exit 77; }
export DESKTOP_TOOL_NAME="${DESKTOP_TOOL_NAME:-$1}-$$"
on_exit() { :; }
trap 'rc=$?; on_exit; "$D" stop >/dev/null 2>&1; [ "$rc" = 0 ] && rm -rf "/tmp/desktop-$DESKTOP_TOOL_NAME.d"' EXIT
trap 'exit 1' INT TERM HUP
fail() { echo "FAILED: $*" >&2; "$D" shot "$PWD/$(basename "$0" .sh)_failed.png" >/dev/null 2>&1; exit 1; }
"$D" start --size 1280x800 --layout de >/dev/null || fail "no virtual display"
