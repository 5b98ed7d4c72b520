// The three colours every window of the program takes from the main window and the settings file.
#pragma once
#include "core/Color.h"

struct TColorTheme {
    TColor Background; // the windows' background panel
    TColor Field;      // the background of the edit fields and lists
    TColor Text;       // the text on the background panel
};
