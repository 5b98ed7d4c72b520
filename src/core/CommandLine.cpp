// The command-line splitter: the program's arguments as a console program on the platform receives them.
#include "core/CommandLine.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view line)
{
    std::vector<std::string> args(1);
    size_t i = 0;
    if (i < line.size() && line[i] == '"') {
        const size_t close = line.find('"', 1);
        args[0] = line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && !IsBlank(line[i]))
            args[0] += line[i++];
    }
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    if (i >= line.size())
        return args;

    // quotes: 0 outside quoting, 1 inside; within a run of quotes it counts on, and every third is a literal one.
    std::string current;
    int quotes = 0;
    size_t backslashes = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (IsBlank(c) && quotes == 0) {
            args.push_back(std::move(current));
            current.clear();
            backslashes = 0;
            while (i < line.size() && IsBlank(line[i]))
                ++i;
            if (i >= line.size())
                return args;
            continue;
        }
        if (c == '\\') {
            current += c;
            ++backslashes;
            ++i;
            continue;
        }
        if (c != '"') {
            current += c;
            backslashes = 0;
            ++i;
            continue;
        }
        if (backslashes % 2 == 0) {
            current.resize(current.size() - backslashes / 2);
            ++quotes;
        } else {
            current.resize(current.size() - backslashes / 2 - 1);
            current += '"';
        }
        backslashes = 0;
        ++i;
        while (i < line.size() && line[i] == '"') {
            if (++quotes == 3) {
                current += '"';
                quotes = 0;
            }
            ++i;
        }
        if (quotes == 2)
            quotes = 0;
    }
    args.push_back(std::move(current));
    return args;
}
