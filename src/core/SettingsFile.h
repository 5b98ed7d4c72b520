// The settings file: where it lies, its section and keys, and the defaults of keys that are missing.
#pragma once
#include <cstddef>
#include <string>

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
