# Shared environment of the project's scripts; sourced, not run.
# BUILD_DIR may be set by the caller to keep several builds apart.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$root/build}"
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR="$root/$BUILD_DIR" ;; esac
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Code page 936 for Wine's ANSI functions (only once the locale exists:
# setup generates it).
if locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    export LC_ALL=zh_CN.UTF-8
fi
