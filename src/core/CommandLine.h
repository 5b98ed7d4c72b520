// A command line split into arguments the way the platform's own splitter (CommandLineToArgvW) does it.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The first argument is the program: up to the next blank, or between quotes with no escapes. The others are
// separated by blanks and tabs outside quotes; a quote toggles quoting and is dropped; 2n backslashes before a
// quote give n backslashes, 2n+1 give n and a literal quote; other backslashes stay; a quote that closes quoting
// and is followed by another gives a literal quote ("a""b" is a"b). The result is never empty.
std::vector<std::string> SplitCommandLine(std::string_view line);
