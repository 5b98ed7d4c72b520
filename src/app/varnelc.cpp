// varnelc: sends one message from the command line to named computers, to those of a name file or to the whole
// workgroup, through the same roads and the same bulk sender as the window; it keeps no history and reads no
// settings, and it runs beside a running Varnel (no single-copy guard).
#include <windows.h>

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "core/CommandLine.h"
#include "core/ConsoleCall.h"
#include "core/ConsoleReport.h"
#include "core/ConsoleTexts.h"
#include "net/NTservice.h"
#include "net/NetApi32.h"
#include "net/ThisComputer.h"
#include "net/WsBulkSend.h"
#include "net/WsNetMsg.h"
#include "toolkit/CodePages.h"
#include "toolkit/Console.h"

namespace {

constexpr uint32_t kAllServerTypes = 0xFFFFFFFF;

struct TStreams {
    TConsoleStream Out{STD_OUTPUT_HANDLE};
    TConsoleStream Err{STD_ERROR_HANDLE};
};

// A failure that ends the run: its text goes to the error stream, the exit code to the caller.
struct TStop {
    std::string Text;
    TConsoleExitCode Code = kExitWrongCall;
};

std::string ProgramText(std::wstring_view wide)
{
    bool lossless = true;
    std::optional<std::string> text = FromWide(wide, kProgramCodePage, &lossless);
    if (!text || !lossless)
        throw TStop{kConsoleUnmappableText};
    return *text;
}

// Split as UTF-8, which never spells a blank, quote or backslash inside another character; then each argument in
// the program's code page. The program's own path (the first) may hold any character.
std::vector<std::string> Arguments()
{
    const LPCWSTR line = GetCommandLineW();
    std::vector<std::string> args = SplitCommandLine(FromWide(line ? line : L"", CP_UTF8).value_or(std::string()));
    args.erase(args.begin());
    for (std::string& arg : args)
        arg = ProgramText(ToWide(arg, CP_UTF8).value_or(std::wstring()));
    return args;
}

// The workgroup's computers as the bulk picker lists them (the platform's list, else the browse master's).
std::vector<std::string> WorkgroupComputers()
{
    try {
        TNTService service(nullptr);
        service.NotifyLoaded(); // no layout to build: failures count from the start, and the browse master is asked
        return *service.EnumServers("", kAllServerTypes);
    } catch (const std::exception& e) {
        throw TStop{kConsoleListFailed + OneLineText(e.what())};
    }
}

std::string ErrorCodeSuffix(DWORD code) { return kConsoleErrorCodeBefore + std::to_string(code) + ")."; }

std::vector<std::string> NamesFromFile(const std::string& path)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        throw TStop{kConsoleFileUnreadable + path + ". " + kConsoleFileHint + ErrorCodeSuffix(error)};
    }
    std::string bytes;
    std::vector<char> chunk(4096);
    DWORD error = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) {
            error = GetLastError();
            break;
        }
        if (read == 0 || bytes.size() + read > kMaxNameFileBytes) {
            bytes.append(chunk.data(), read);
            break;
        }
        bytes.append(chunk.data(), read);
    }
    CloseHandle(file);
    if (error != 0)
        throw TStop{kConsoleFileUnreadable + path + ". " + kConsoleFileHint + ErrorCodeSuffix(error)};
    if (bytes.size() > kMaxNameFileBytes)
        throw TStop{kConsoleFileTooLarge + path};
    // A name file is written with Notepad: ANSI (code page 1254 on a Turkish Windows), UTF-8 or UTF-16.
    return ReadNameList(ProgramText(DecodeText(bytes, kProgramCodePage)));
}

std::vector<std::string> Recipients(const TConsoleCall& call)
{
    switch (call.Source) {
    case TRecipientSource::Workgroup: {
        std::vector<std::string> plan = PlanConsoleRecipients(WorkgroupComputers(), ThisComputerName());
        if (plan.empty())
            throw TStop{kConsoleWorkgroupEmpty};
        return plan;
    }
    case TRecipientSource::File:
        return PlanConsoleRecipients(NamesFromFile(call.FilePath), "");
    default:
        return PlanConsoleRecipients(call.Names, "");
    }
}

std::string MessageText(const TConsoleCall& call)
{
    if (call.Message)
        return *call.Message;
    const TStandardInput input = ReadStandardInput(kMaxMessageLength, kConsoleTypePrompt);
    if (input.Error != 0)
        throw TStop{kConsoleInputUnreadable + ErrorCodeSuffix(input.Error)};
    std::string text = ProgramText(input.Text);
    if (input.TooLong)
        text.resize(kMaxMessageLength + 1); // only to have CheckMessageText say so: nothing of it is sent
    if (std::string error = CheckMessageText(text); !error.empty())
        throw TStop{error};
    return text;
}

TConsoleExitCode Send(const TConsoleCall& call, const TStreams& streams)
{
    // Recipients first: a wrong name file must not make the user type a message for nothing.
    const std::vector<std::string> recipients = Recipients(call);
    if (recipients.empty())
        throw TStop{kConsoleNobodyToSend};
    const std::string text = MessageText(call);

    // Sent from this computer's name, as the window sends.
    const std::string& computer = ThisComputerName();
    TWsNetMessage message(nullptr);
    message.SetServer(computer);
    std::vector<TDeliveryResult> results;
    TWsBulkSender sender(nullptr);
    sender.OnResult = [&](TObject*, const TDeliveryResult& result) { streams.Out.WriteLine(ConsoleResultLine(result)); };
    sender.OnFinished = [&](TObject*, const std::vector<TDeliveryResult>& all) {
        results = all;
        PostQuitMessage(0);
    };
    try {
        sender.Start(message.StoredServer(), computer, text, recipients);
    } catch (const std::exception& e) {
        throw TStop{OneLineText(e.what()), kExitNoneDelivered};
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    streams.Out.WriteLine(ConsoleSummaryLine(results));
    return ConsoleExitCode(results);
}

TConsoleExitCode List(const TStreams& streams)
{
    const std::vector<std::string> computers = PlanConsoleRecipients(WorkgroupComputers(), ThisComputerName());
    if (computers.empty())
        throw TStop{kConsoleWorkgroupEmpty};
    for (const std::string& name : computers)
        streams.Out.WriteLine(name);
    return kExitAllDelivered;
}

TConsoleExitCode Run(const TStreams& streams)
{
    const TConsoleCall call = ParseConsoleCall(Arguments());
    switch (call.Action) {
    case TConsoleAction::Usage:
        streams.Out.WriteLine(kConsoleUsage);
        return kExitAllDelivered;
    case TConsoleAction::List:
        return List(streams);
    case TConsoleAction::Send:
        return Send(call, streams);
    case TConsoleAction::Wrong:
        break;
    }
    streams.Err.WriteLine(call.Error);
    streams.Err.WriteLine("");
    streams.Err.WriteLine(kConsoleUsage);
    return kExitWrongCall;
}

} // namespace

int main()
{
    const TStreams streams;
    int exitCode = kExitNoneDelivered;
    try {
        // A failure here only means that enumerating the network reports it later, as in the window.
        try {
            NetApi32::InitNetApi32();
        } catch (const std::exception&) {
        }
        exitCode = Run(streams);
    } catch (const TStop& stop) {
        streams.Err.WriteLine(stop.Text);
        exitCode = stop.Code;
    } catch (const std::exception& e) {
        streams.Err.WriteLine(OneLineText(e.what()));
    }
    NetApi32::DoneNetApi32();
    return exitCode;
}
