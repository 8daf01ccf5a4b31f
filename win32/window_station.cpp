#include "win32/window_station.h"

namespace tarnwick {

bool WindowStationShowsWindows(bool read, DWORD flags) { return !read || (flags & WSF_VISIBLE) != 0; }

bool WindowStationIsVisible() {
    // GetUserObjectInformationW and UOI_FLAGS are there on every system
    // from Windows NT on; the handle needs no closing.
    USEROBJECTFLAGS flags{};
    DWORD needed = 0;
    const BOOL read = GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags, &needed);
    return WindowStationShowsWindows(read != FALSE, flags.dwFlags);
}

}  // namespace tarnwick
