// The console program's call: switches, the name file and the message's bounds.
#include "core/ConsoleCall.h"

#include "core/BulkSend.h"
#include "core/ConsoleTexts.h"
#include "core/Text.h"

namespace {

struct TSwitch {
    std::string Name;  // lower case, without the leading '/' or '-'
    std::optional<std::string> Value;
    std::string Written; // as the user wrote it, for the error texts
};

std::optional<TSwitch> ReadSwitch(const std::string& arg)
{
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-'))
        return std::nullopt;
    TSwitch sw;
    const size_t colon = arg.find(':');
    sw.Name = AsciiLowerCase(std::string_view(arg).substr(1, colon == std::string::npos ? std::string::npos : colon - 1));
    if (colon != std::string::npos)
        sw.Value = arg.substr(colon + 1);
    sw.Written = arg.substr(0, colon);
    return sw;
}

TConsoleCall Wrong(std::string error)
{
    TConsoleCall call;
    call.Action = TConsoleAction::Wrong;
    call.Error = std::move(error);
    return call;
}

std::vector<std::string> SplitNames(std::string_view value)
{
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= value.size()) {
        size_t comma = value.find(',', start);
        if (comma == std::string_view::npos)
            comma = value.size();
        std::string name = Trim(value.substr(start, comma - start));
        if (!name.empty())
            names.push_back(std::move(name));
        start = comma + 1;
    }
    return names;
}

// Reads the recipients of /kime into `call`; returns the error text of a wrong value, else empty.
std::string ReadRecipients(std::string_view value, TConsoleCall& call)
{
    const std::string trimmed = Trim(value);
    if (trimmed == "*") {
        call.Source = TRecipientSource::Workgroup;
        return {};
    }
    if (!trimmed.empty() && trimmed[0] == '@') {
        call.FilePath = Trim(std::string_view(trimmed).substr(1));
        call.Source = TRecipientSource::File;
        return call.FilePath.empty() ? kConsoleNoFileName : std::string();
    }
    call.Names = SplitNames(trimmed);
    call.Source = TRecipientSource::Names;
    return call.Names.empty() ? kConsoleNoNames : std::string();
}

} // namespace

TConsoleCall ParseConsoleCall(const std::vector<std::string>& args)
{
    for (const std::string& arg : args)
        if (const auto sw = ReadSwitch(arg); sw && sw->Name == "?" && !sw->Value) {
            TConsoleCall call;
            call.Action = TConsoleAction::Usage;
            return call;
        }

    TConsoleCall call;
    bool recipients = false;
    bool list = false;
    for (const std::string& arg : args) {
        const auto sw = ReadSwitch(arg);
        if (!sw)
            return Wrong(kConsoleStrayBefore + arg + kConsoleStrayAfter);
        if (sw->Name == "kime" || sw->Name == "mesaj") {
            if (!sw->Value)
                return Wrong(kConsoleNeedsValue + sw->Written);
            const bool isRecipients = sw->Name == "kime";
            if (isRecipients ? recipients : call.Message.has_value())
                return Wrong(kConsoleTwice + sw->Written);
            if (isRecipients) {
                recipients = true;
                if (std::string error = ReadRecipients(*sw->Value, call); !error.empty())
                    return Wrong(std::move(error));
            } else {
                call.Message = *sw->Value;
            }
        } else if (sw->Name == "liste") {
            if (sw->Value)
                return Wrong(kConsoleTakesNoValue + sw->Written);
            if (list)
                return Wrong(kConsoleTwice + sw->Written);
            list = true;
        } else {
            return Wrong(kConsoleUnknownSwitch + sw->Written);
        }
    }
    if (list && (recipients || call.Message))
        return Wrong(kConsoleListAlone);
    if (list) {
        call.Action = TConsoleAction::List;
        return call;
    }
    if (!recipients)
        return Wrong(kConsoleNoRecipientSwitch);
    if (call.Message) {
        if (std::string error = CheckMessageText(*call.Message); !error.empty())
            return Wrong(std::move(error));
    }
    call.Action = TConsoleAction::Send;
    return call;
}

std::vector<std::string> ReadNameList(std::string_view text)
{
    std::vector<std::string> names;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string line = Trim(text.substr(start, end - start));
        if (!line.empty() && line[0] != ';')
            names.push_back(std::move(line));
        start = end + 1;
    }
    return names;
}

std::string CheckMessageText(std::string_view text)
{
    if (text.size() > kMaxMessageLength)
        return kConsoleMessageTooLongBefore + std::to_string(kMaxMessageLength) + kConsoleMessageTooLongAfter;
    if (Trim(text).empty())
        return kConsoleEmptyMessage;
    return {};
}

std::vector<std::string> PlanConsoleRecipients(const std::vector<std::string>& names, std::string_view leaveOut)
{
    std::vector<TPickerItem> items;
    const std::string left = Trim(leaveOut);
    for (const std::string& name : names)
        if (left.empty() || !SameTextAscii(Trim(name), left))
            items.push_back({name, true});
    return PlanBulkRecipients(items);
}
