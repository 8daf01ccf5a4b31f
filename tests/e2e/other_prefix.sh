#!/usr/bin/env bash
# Runs end-to-end cases of the e2e test program in a Wine prefix of their
# own under the build folder, as players run the tool: a 64-bit prefix
# (WINEARCH=win64, Debian's wine64 runs it) or a 32-bit one whose Windows
# version is set (HKCU\Software\Wine, value Version). The prefix is made on
# first use and kept; its wineserver is ended afterwards.
#
#   other_prefix.sh PREFIX win64|win32 WINDOWS_VERSION|- E2E_TESTS_EXE GTEST_FILTER
set -euo pipefail
prefix="$1" arch="$2" version="$3" tests="$4" filter="$5"
export WINEPREFIX="$prefix" WINEARCH="$arch"
# The 64-bit loader starts 64-bit prefixes; it hands the 32-bit test
# program to the 32-bit one.
wine=wine
if [ "$arch" = win64 ]; then
    wine=/usr/lib/wine/wine64
    if [ ! -x "$wine" ]; then
        echo "other_prefix: $wine is missing: install Debian's wine64 (scripts/setup does)" >&2
        exit 1
    fi
fi

trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "other_prefix: creating the $arch Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
fi
if [ "$version" != - ]; then
    "$wine" reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version" /f >/dev/null 2>&1
fi
# As in the main prefix on a virtual display (scripts/wine-session.sh).
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
"$wine" "$tests" --gtest_filter="$filter"
