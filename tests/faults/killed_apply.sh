#!/usr/bin/env bash
# The real tool killed by the system at a few of its own writes to the game
# file (the code bytes, the first cleared slot, the first value, the last
# value), as a crash, Task Manager or a café's shutdown script would kill
# it. Each time the game file must read as patched, and with the backup
# lost as well, the next apply must keep no backup of it and say that no
# original exists.
# usage: killed_apply.sh <Tarnwick.exe> <make_game_file.exe> <work folder>
set -euo pipefail
exe="$1" make_game="$2" work="$3"
values="50 100 150 200 300 1 3 5 7 10 15 21 27 30 16"
rm -rf "$work"
mkdir -p "$work"

winpath() { echo "Z:${1//\//\\}"; }

new_folder() {
    rm -rf "$1"
    mkdir -p "$1"
    wine "$make_game" "$(winpath "$1/meteor.exe")" 1.08 4 >/dev/null
}

# The kill points are counted among the calls on the game file alone
# (strace -P), which are the same in every run whatever else the process
# and Wine do meanwhile: the code bytes, a flush, fifteen cleared slots,
# fifteen values, a flush. A signal injected on entering a call kills the
# process before that call, so "after write n" is on entering the call that
# follows it. One traced run checks that there are 31 writes.
game_calls() { strace -f -qq -P "$1/meteor.exe" -e trace=pwrite64,fsync "${@:2}"; }
new_folder "$work/count"
(cd "$work/count" && game_calls "$work/count" -o "$work/count.trace" wine "$exe" apply $values >/dev/null)
total=$(grep -c 'pwrite64(' "$work/count.trace" || true)
if [ "$total" -ne 31 ]; then
    echo "the apply wrote the game file $total times, not 31:"
    cat "$work/count.trace"
    exit 1
fi

failed=0
# after write: the call that follows it
for point in 1:fsync:1 2:pwrite64:3 17:pwrite64:18 31:fsync:2; do
    IFS=: read -r at call when <<<"$point"
    folder="$work/killed$at"
    new_folder "$folder"
    cd "$folder"
    set +e
    game_calls "$folder" -o /dev/null -e inject=$call:signal=SIGKILL:when=$when wine "$exe" apply $values >/dev/null 2>&1
    set -e
    wineserver -w 2>/dev/null || true
    status=$(wine "$exe" status 2>/dev/null | tr -d '\r')
    if ! grep -qx '游戏文件：已修改' <<<"$status"; then
        echo "killed at write $at: the game file passes for an original:"
        echo "$status"
        failed=1
        continue
    fi
    rm -rf "$folder/Data"
    set +e
    errors=$(wine "$exe" apply $values 2>&1 >/dev/null | tr -d '\r')
    code=$?
    set -e
    if [ $code -ne 0 ] || ! grep -q '但游戏目录中没有原版游戏文件的备份' <<<"$errors" || [ -e "$folder/Data/bak/meteor.bak" ]; then
        echo "killed at write $at, backup lost: the next apply (exit $code) made a backup of a cut-short file:"
        echo "$errors"
        failed=1
    fi
done
[ $failed -eq 0 ] && echo "4 kills, each left a file that reads as patched"
exit $failed
