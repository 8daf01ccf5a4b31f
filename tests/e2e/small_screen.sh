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
# Its own display even when the suite has one: the screen is what matters.
. "$here/../../scripts/wine-session.sh"
xvfb_pid=""
trap '[ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true' EXIT
TARNWICK_FORCE_XVFB=1 start_virtual_display "$size" 141
"$here/other_prefix.sh" "$prefix" win32 - "$tests" "$filter"
