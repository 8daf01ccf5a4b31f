#pragma once
// Identifiers of the resources compiled into Tarnwick.exe. Kept free of
// C++ so that the resource compiler can read it too.

#define IDI_TARNWICK    1    // the tool's icon: 32 x 32 and 64 x 64, 24 bpp
#define IDB_BACKGROUND  101  // main window picture, 514 x 292, 24 bpp
