# Compile and link settings shared by every target of the project.

# Windows XP is the oldest system the tool supports; Windows headers then
# hide what XP lacks.
add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600
                        NOMINMAX WIN32_LEAN_AND_MEAN STRICT)
add_compile_options(-Wall -Wextra -Wno-cast-function-type
                    -ffunction-sections -fdata-sections)

# One exe without runtime DLLs: libgcc, libstdc++ and winpthread go in.
add_link_options(-static -static-libgcc -static-libstdc++
                 -Wl,--major-subsystem-version,5 -Wl,--minor-subsystem-version,1
                 -Wl,--major-os-version,5 -Wl,--minor-os-version,1
                 # Small exe: drop unused code and, in release builds, symbols.
                 -Wl,--gc-sections $<$<CONFIG:Release>:-s>
                 # Sections start on a page in the file too, so that a loader
                 # can map them from the file rather than copy them into
                 # private memory (Wine copies every section that does not):
                 # half a megabyte less memory at the price of some padding.
                 -Wl,--file-alignment,4096)

# The same bytes from every build of the same source (scripts/package, the
# reproducible_exe test): no link time in the PE header, and no folder of
# the source or build in the exe (__FILE__ and the like name files
# relative to these roots). GCC tries the later map first, so the build
# folder, often inside the source, comes last.
add_link_options(-Wl,--no-insert-timestamp)
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}/=build/)

# Optimised for size: the tool waits for its user almost all the time, and
# -Os makes the exe about a tenth smaller than -O3.
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")

# Every project library gets the source root as include root, so code
# includes "core/game/version.h", "style/draw/sprites.h" and so on.
# Headers that CMake makes (notice/notice_links.h) go under generated/ in
# the build folder, with the same folder names.
set(TARNWICK_INCLUDE_ROOT ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
