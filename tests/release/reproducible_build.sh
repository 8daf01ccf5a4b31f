#!/usr/bin/env bash
# Builds Tarnwick.exe and Tarnwick.com a second time, from a copy of the
# source at another path, in another build folder, and fails unless their
# SHA-256 are those of the programs the main build made: what
# scripts/package promises, that anyone who builds this source gets the
# same bytes.
#
#   reproducible_build.sh SOURCE_DIR WORK_DIR EXE BUILD_TYPE CONTACT WEB
#
# Only the programs are built (no tests), with the main build's settings.
set -euo pipefail
source_dir="$1" work="$2" exe="$3" build_type="$4" contact="$5" web="$6"

# Another path, of another length, than the main build's source and build.
copy="$work/another/copy/of/the/source"
rm -rf "$work"
mkdir -p "$copy"
# The files the main build compiled: tracked and new ones, as they are in
# the working tree now.
git -C "$source_dir" ls-files -z --cached --others --exclude-standard |
    (cd "$source_dir" && while IFS= read -r -d '' f; do [ -f "$f" ] && printf '%s\0' "$f"; done) |
    tar -C "$source_dir" --null -T - -cf - | tar -C "$copy" -xf -

cmake -S "$copy" -B "$work/b" -DCMAKE_BUILD_TYPE="$build_type" -DTARNWICK_BUILD_TESTS=OFF \
      -DTARNWICK_CONTACT_ADDRESS="$contact" -DTARNWICK_WEB_ADDRESS="$web" >/dev/null
cmake --build "$work/b" -j"$(nproc)" --target Tarnwick >/dev/null

# Tarnwick.com is built beside Tarnwick.exe, and goes in the zip with it.
for name in Tarnwick.exe Tarnwick.com; do
    main="$(dirname "$exe")/$name"
    first="$(sha256sum < "$main" | cut -d' ' -f1)"
    second="$(sha256sum < "$work/b/$name" | cut -d' ' -f1)"
    echo "main build:   $first  $main"
    echo "second build: $second  $work/b/$name"
    if [ "$first" != "$second" ]; then
        cmp -l "$main" "$work/b/$name" | head -20 >&2 || true
        echo "the two builds of the same source differ (offsets and bytes above)" >&2
        exit 1
    fi
done
rm -rf "$work"
