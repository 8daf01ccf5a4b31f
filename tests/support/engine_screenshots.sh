#!/usr/bin/env bash
# Takes screenshots of the tool's windows as the style engine draws them,
# on a virtual display: the main window with the notice, a button in the
# middle of its hover fade, the message box of "确认", the message dialog,
# and the main window at 144 DPI. Writes PNG files into the folder given
# (default: docs/).
# Run after a build: BUILD_DIR=build-x tests/support/engine_screenshots.sh
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/../../scripts/env.sh"
. "$here/../../scripts/wine-session.sh"
out="$(cd "${1:-$root/docs}" && pwd)"

export TARNWICK_FORCE_XVFB=1
start_wine_session

work="$(mktemp -d)"
trap 'stop_session; rm -rf "$work"' EXIT

# The window of the given title, once visible.
find_window() {
    local id=""
    for _ in $(seq 1 100); do
        id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)"
        [ -n "$id" ] && break
        sleep 0.1
    done
    echo "$id"
}

# Crops the screen shot $1 to the window $2 with a margin, into $3.
shot_of_window() {
    local geometry x y w h
    eval "$(xdotool getwindowgeometry --shell "$2")"
    x=$((X > 8 ? X - 8 : 0)); y=$((Y > 8 ? Y - 8 : 0)); w=$((WIDTH + 16)); h=$((HEIGHT + 16))
    convert "$1" -crop "${w}x${h}+${x}+${y}" +repage "$3"
}

# Starts the tool in the folder $1, waits for its window titled $2 and
# writes a shot of that window into $3; then ends the tool.
shot_of_tool() {
    (cd "$1" && exec wine "$BUILD_DIR/Tarnwick.exe") &
    local tool=$! window
    window="$(find_window "$2")"
    sleep 1
    import -window root "$work/shot.png"
    shot_of_window "$work/shot.png" "$window" "$3"
    kill "$tool" 2>/dev/null || true
    wait "$tool" 2>/dev/null || true
}

mkdir -p "$work/game" "$work/empty"
(cd "$work/game" && wine "$BUILD_DIR/tools/make_game_file.exe" meteor.exe 1.07 >/dev/null 2>&1)

# Main window and notice.
(cd "$work/game" && exec wine "$BUILD_DIR/Tarnwick.exe") &
tool=$!
main="$(find_window '^Tarnwick$')"
sleep 3  # the notice slides in
import -window root "$work/screen.png"
notice="$(xdotool search --onlyvisible --name '系统信息' | head -1)"
[ -n "$notice" ] && shot_of_window "$work/screen.png" "$notice" "$out/notice-window.png"

# The cursor on "确认" (left button of the three at the bottom right): a
# shot in the middle of the hover fade, and one after it.
eval "$(xdotool getwindowgeometry --shell "$main")"
button_x=$((X + 240 + 48)); button_y=$((Y + 245 + 12))
xdotool mousemove "$button_x" "$button_y"
sleep 0.45
import -window root "$work/hover.png"
shot_of_window "$work/hover.png" "$main" "$out/main-window-hover-fade.png"

# "确认": the message box over the main window.
xdotool click 1
box="$(find_window '^系统信息$')"
sleep 1
import -window root "$work/box.png"
convert "$work/box.png" -crop "$((WIDTH + 16))x$((HEIGHT + 16))+$((X - 8))+$((Y - 8))" +repage \
    "$out/message-box.png"
kill "$tool" 2>/dev/null || true
wait "$tool" 2>/dev/null || true
wineserver -k >/dev/null 2>&1 || true

# The message dialog: the tool started where there is no game file.
shot_of_tool "$work/empty" '系统信息' "$out/message-dialog.png"

# The main window at 144 DPI (a Linux desktop at 150 %), without the notice.
# Wine reads the setting when a process starts.
mkdir -p "$work/game/Data"
printf '[\xD0\xC5\xCF\xA2\xD7\xB4\xCC\xAC]\r\n\xD0\xC5\xCF\xA2\xA3\xBA\xCD\xA3\xD3\xC3\r\n' >"$work/game/Data/Hint.cfg"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
shot_of_tool "$work/game" '^Tarnwick$' "$out/main-window-144dpi.png"
wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
ls "$out"
