// Texts the shell-facing components derive from paths and links: the single-copy marker's name, the link
// label's open target and the file extension that decides the open-with fallback.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// The program's file name with extension: everything after the last backslash or colon of its full path.
std::string ProgramFileName(std::string_view path);

// What a link label opens: its URL when that is not blank, else its caption, each taken as it stands;
// nothing when the chosen text is blank (codes 0 to 32 only).
std::optional<std::string> LinkTarget(std::string_view url, std::string_view caption);

// The extension with its dot, taken from the last dot that follows the last backslash or colon; empty when
// there is none.
std::string FileExtension(std::string_view path);

// Whether a link that failed to open should offer the user the choice of a program for web pages.
bool OffersOpenWith(std::string_view target);
