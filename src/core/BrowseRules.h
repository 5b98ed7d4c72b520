// Pure rules of the folder browse dialog: option flags, special root folders, path and shell-version parsing.
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

enum class TWsBrowseOption {
    boBrowseForComputer,
    boBrowseForPrinter,
    boDontGoBelowDomain,
    boReturnOnlyAncestors,
    boReturnOnlyDirs,
    boShowFiles,
    boEditBox
};
using TWsBrowseOptions = std::set<TWsBrowseOption>;

enum class TWsSpecialRootFolder {
    sfAltStartup, sfAppData, sfBitBucket, sfCommonAltStartup, sfCommonDesktopDir, sfCommonFavorites,
    sfCommonPrograms, sfCommonStartMenu, sfCommonStartup, sfControls, sfCookies, sfDesktop, sfDesktopDir,
    sfDrives, sfFavorites, sfFonts, sfHistory, sfInternet, sfInternetCache, sfNetHood, sfNetwork, sfNone,
    sfPersonal, sfPrinters, sfPrintHood, sfPrograms, sfRecentFiles, sfSendTo, sfStartMenu, sfStartup, sfTemplates
};

enum class TWsBrowsePosition { bpDefault, bpScreenCenter };

// The platform flags for a set of options, plus the status-text flag when a status text is shown.
uint32_t BrowseFlags(const TWsBrowseOptions& options, bool hasStatusText);

// The platform folder id (CSIDL) a special root folder stands for.
int32_t SpecialFolderId(TWsSpecialRootFolder folder);

// Folders that only shells of version 4.7 and later know.
bool NeedsShell47(TWsSpecialRootFolder folder);
bool OptionsNeedShell47(const TWsBrowseOptions& options);

// One trailing backslash removed, except that a drive ("C:") keeps it: D:\Data\ -> D:\Data, C:\ -> C:\.
std::string NormaliseSelectedFolder(std::string_view path);

// A "FileVersion" text as a number: the whole text when it is a decimal number, else its first two
// dot-separated fields (4.71.3110.1 -> 4.71), 0 when the second dot is missing or beyond the sixth character.
double ParseShellVersion(std::string_view text);
