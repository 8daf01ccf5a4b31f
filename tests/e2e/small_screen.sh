#!/usr/bin/env bash
# Runs end-to-end cases on a virtual display of their own whose screen is
# smaller than the tool's windows at a high DPI setting, in a Wine prefix
# of their own (tests/e2e/other_prefix.sh): the screen of a Wine session is
# the display its first program started on.
#
#   small_screen.sh WIDTHxHEIGHT PREFIX E2E_TESTS_EXE GTEST_FILTER
set -euo pipefail
size="$1" prefix="$2" tests="$3" filter="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
xvfb_pid=""
trap '[ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true' EXIT
for n in $(seq 141 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    if kill -0 "$xvfb_pid" 2>/dev/null; then
        export DISPLAY=":$n"
        break
    fi
    xvfb_pid=""
done
if [ -z "$xvfb_pid" ]; then
    echo "small_screen: cannot start a virtual display" >&2
    exit 1
fi
"$here/other_prefix.sh" "$prefix" win32 - "$tests" "$filter"
