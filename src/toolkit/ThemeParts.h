// The one place where a window takes the program's three colours: which of its controls show which colour.
#pragma once
#include <vector>

#include "core/ColorTheme.h"
#include "toolkit/Controls.h"

// A part left empty keeps its own colour.
struct TThemeParts {
    TControl* Background = nullptr;       // the background panel
    TControl* TextOnBackground = nullptr; // whose text takes the text colour (usually the same panel)
    std::vector<TControl*> Fields;        // edit fields and lists
    bool FieldText = false;               // the fields' text takes the text colour as well
};

void ApplyColorTheme(const TColorTheme& theme, const TThemeParts& parts);
