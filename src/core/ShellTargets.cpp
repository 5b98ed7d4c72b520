// Path and link texts for the shell-facing components.
#include "core/ShellTargets.h"

#include "core/Text.h"

std::string ProgramFileName(std::string_view path)
{
    const size_t cut = path.find_last_of("\\:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::optional<std::string> LinkTarget(std::string_view url, std::string_view caption)
{
    const std::string_view target = Trim(url).empty() ? caption : url;
    if (Trim(target).empty())
        return std::nullopt;
    return std::string(target);
}

std::string FileExtension(std::string_view path)
{
    const size_t at = path.find_last_of(".\\:");
    if (at == std::string_view::npos || path[at] != '.')
        return {};
    return std::string(path.substr(at));
}

bool OffersOpenWith(std::string_view target) { return AsciiUpperCase(FileExtension(target)) == ".HTM"; }
