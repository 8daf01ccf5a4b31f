# Helpers for scripts that run Windows programs; sourced, not run.
# Starts a virtual X display when none is given and a wineserver for the
# private prefix, and stops both on exit.

# The screen is 1280x1024 unless a size (WIDTHxHEIGHT) is given; display
# numbers are tried from the second argument on (90 unless given).
start_virtual_display() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${TARNWICK_FORCE_XVFB:-}" ]; then
        return
    fi
    local n size="${1:-1280x1024}" first="${2:-90}"
    for n in $(seq "$first" $((first + 50))); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$xvfb_pid" 2>/dev/null; then
            export DISPLAY=":$n"
            return
        fi
    done
    echo "cannot start a virtual display" >&2
    exit 1
}

stop_session() {
    wineserver -k >/dev/null 2>&1 || true
    stop_small_disk
    if [ -n "${xvfb_pid:-}" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}

start_wine_session() {
    start_virtual_display
    trap stop_session EXIT
    # A wineserver left from another display would put windows there.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -p5 >/dev/null 2>&1 || true
    # A virtual display has no window manager: Wine then manages the
    # windows itself, which spares a wait of about two seconds each time an
    # active window closes. On a real desktop the window manager does it.
    if [ -n "${xvfb_pid:-}" ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    else
        wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
    fi
}

# A small tmpfs for the tests that fill a disk: mounted at
# $BUILD_DIR/smalldisk when this user may mount (root, or sudo without a
# password) and the system allows it, and handed to the tests as the Unix
# path in TARNWICK_SMALL_DISK. Without it those tests skip themselves.
# stop_session unmounts it, also after failures. Size as for mount(8).
start_small_disk() {
    local size="${1:-8m}"
    local dir="$BUILD_DIR/smalldisk"
    small_disk_sudo=""
    if [ "$(id -u)" != 0 ]; then
        if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
            small_disk_sudo="sudo -n"
        else
            echo "small disk not mounted (needs root or sudo without a password): its tests skip" >&2
            return 0
        fi
    fi
    mkdir -p "$dir"
    # Left mounted by a run that was killed.
    if mountpoint -q "$dir"; then
        $small_disk_sudo umount "$dir" 2>/dev/null || $small_disk_sudo umount -l "$dir" 2>/dev/null || true
    fi
    if $small_disk_sudo mount -t tmpfs -o "size=$size,mode=0700,uid=$(id -u),gid=$(id -g)" \
        tarnwick-smalldisk "$dir" 2>/dev/null; then
        small_disk_dir="$dir"
        export TARNWICK_SMALL_DISK="$dir"
        start_read_only_view "$dir"
    else
        echo "small disk not mounted (mount not allowed here): its tests skip" >&2
    fi
}

# The small disk once more, through a read-only bind mount: what the tests
# write through TARNWICK_SMALL_DISK, the tool sees on a disk that cannot be
# written through TARNWICK_SMALL_DISK_READONLY. Without it that test skips.
start_read_only_view() {
    local view="$1-readonly"
    mkdir -p "$view"
    if mountpoint -q "$view"; then
        $small_disk_sudo umount "$view" 2>/dev/null || $small_disk_sudo umount -l "$view" 2>/dev/null || true
    fi
    if $small_disk_sudo mount --bind "$1" "$view" 2>/dev/null; then
        small_disk_view="$view"
        if $small_disk_sudo mount -o remount,bind,ro "$view" 2>/dev/null; then
            export TARNWICK_SMALL_DISK_READONLY="$view"
            # The same view through a symbolic link, as a junction to a
            # read-only disk is seen on Windows.
            ln -sfn "$view" "$view-link"
            export TARNWICK_SMALL_DISK_READONLY_LINK="$view-link"
            return
        fi
    fi
    echo "read-only view of the small disk not mounted: its test skips" >&2
}

stop_small_disk() {
    if [ -n "${small_disk_view:-}" ]; then
        $small_disk_sudo umount "$small_disk_view" 2>/dev/null || $small_disk_sudo umount -l "$small_disk_view" 2>/dev/null || true
        rmdir "$small_disk_view" 2>/dev/null || true
        rm -f "$small_disk_view-link"
        small_disk_view=""
        unset TARNWICK_SMALL_DISK_READONLY TARNWICK_SMALL_DISK_READONLY_LINK
    fi
    [ -n "${small_disk_dir:-}" ] || return 0
    # Busy only while a Wine process still holds a file there; the session
    # has ended them by now, so a lazy unmount finishes at once.
    $small_disk_sudo umount "$small_disk_dir" 2>/dev/null || $small_disk_sudo umount -l "$small_disk_dir" 2>/dev/null || true
    rmdir "$small_disk_dir" 2>/dev/null || true
    small_disk_dir=""
    unset TARNWICK_SMALL_DISK
}
