// Fuzzes the console program's command line (splitting and reading the switches) and its name files.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/CommandLine.h"
#include "core/ConsoleCall.h"
#include "core/Text.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        abort();
}

void ReadCommandLine(std::string_view line)
{
    std::vector<std::string> args = SplitCommandLine(line);
    Check(!args.empty());
    // Nothing comes out that was not in the line: quotes and backslashes only ever shrink it.
    size_t total = 0;
    for (const std::string& arg : args)
        total += arg.size();
    Check(total <= line.size());
    args.erase(args.begin());
    const TConsoleCall call = ParseConsoleCall(args);
    Check((call.Action == TConsoleAction::Wrong) == !call.Error.empty());
    if (call.Action != TConsoleAction::Send)
        return;
    Check(call.Source != TRecipientSource::None);
    Check(call.Source != TRecipientSource::File || !call.FilePath.empty());
    Check(call.Source != TRecipientSource::Names || !call.Names.empty());
    for (const std::string& name : call.Names)
        Check(!name.empty() && Trim(name) == name && name.find(',') == std::string::npos);
    Check(!call.Message || CheckMessageText(*call.Message).empty());
}

void ReadNames(std::string_view text)
{
    const std::vector<std::string> names = ReadNameList(text);
    for (const std::string& name : names)
        Check(!name.empty() && name[0] != ';' && Trim(name) == name && name.find('\n') == std::string::npos);
    const std::vector<std::string> plan = PlanConsoleRecipients(names, names.empty() ? "" : names[0]);
    Check(plan.size() <= names.size());
    for (size_t i = 0; i < plan.size(); ++i)
        for (size_t j = i + 1; j < plan.size(); ++j)
            Check(!SameTextAscii(plan[i], plan[j]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ReadCommandLine(text);
    ReadNames(text);
    return 0;
}
