// TSettingsStore: the program's settings file, its path fixed when the program starts, read and written as the
// one value the windows share (the three colours).
#pragma once
#include <string>
#include <utility>

#include "core/ColorTheme.h"

class TSettingsStore {
public:
    // `path` empty: the Windows directory was unknown, so nothing is read and saving is refused.
    explicit TSettingsStore(std::string path) : FPath(std::move(path)) {}

    const std::string& Path() const { return FPath; }

    // Reads the stored colours over `theme`; false, with `theme` untouched, when there is no file or no settings
    // section. A stored value that names no colour throws EConvertError; the colours read before it are in `theme`.
    bool LoadTheme(TColorTheme& theme) const;
    // Writes the three colours; EIniFileException when the path is unknown or the platform refuses a write (the
    // keys before it stay written).
    void SaveTheme(const TColorTheme& theme) const;

private:
    std::string FPath;
};
