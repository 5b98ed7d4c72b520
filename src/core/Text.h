// Text helpers over 8-bit (code page 1254) strings: trimming, ASCII case folding, the error-box full stop.
#pragma once
#include <string>
#include <string_view>

// Removes leading and trailing characters whose codes are 0 to 32 (blanks, tabs, line breaks, controls).
std::string Trim(std::string_view text);
std::string TrimRight(std::string_view text);

// Folds only the letters a-z / A-Z; every other byte (Turkish letters included) stays as it is.
char AsciiUpper(char c);
char AsciiLower(char c);
std::string AsciiUpperCase(std::string_view text);
std::string AsciiLowerCase(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);

// Removes every backslash wherever it stands.
std::string RemoveBackslashes(std::string_view text);

// The error box shows a message with a full stop appended when its last character's code is above '.'.
std::string WithFullStop(std::string_view message);

// A system message text without its trailing blanks, line breaks and full stops.
std::string CleanSystemText(std::string_view text);
