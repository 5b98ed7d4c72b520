// The settings file: where it lies, its section and keys, the defaults of keys that are missing, and how the three
// colours are read from it and written to it.
#pragma once
#include <cstddef>
#include <functional>
#include <string>

#include "core/ColorTheme.h"

inline constexpr char kSettingsSection[] = "AYARLAR";
inline constexpr char kFormColorKey[] = "RENK";
inline constexpr char kEditColorKey[] = "EDIT_RENK";
inline constexpr char kFontColorKey[] = "FONT_RENK";
inline constexpr char kFormColorDefault[] = "";
inline constexpr char kEditColorDefault[] = "clwindow";
inline constexpr char kFontColorDefault[] = "clBlack";
inline constexpr char kSettingsFileName[] = "\\Varnel.Ini";

// The Windows directory as held in a fixed buffer (up to its first NUL, never past its end) followed by
// "\Varnel.Ini". Empty when the buffer holds no directory: "\Varnel.Ini" alone would name a file in the
// root of whatever drive is current, which is not the settings file.
std::string SettingsPathFromWinDir(const char* buffer, size_t capacity);

// One key of the settings section: read with the default for a missing key, or written.
using TSettingReader = std::function<std::string(const char* key, const char* defaultValue)>;
using TSettingWriter = std::function<void(const char* key, const std::string& value)>;

// Reads the colours over `theme` in the order the main window shows them: background, text, field. A value that
// names no colour throws EConvertError; the colours read before it are already in `theme`.
void ReadColorTheme(const TSettingReader& read, TColorTheme& theme);
// Writes background, field and text, in that order; a failing write stops there (its exception passes on).
void WriteColorTheme(const TSettingWriter& write, const TColorTheme& theme);
