// Console output and input in the right code pages.
#include "toolkit/Console.h"

#include <vector>

#include "toolkit/CodePages.h"

namespace {

constexpr size_t kReadChunk = 4096;
constexpr wchar_t kEndOfInput = 0x1A; // Ctrl+Z, which ends typed input in a console

bool IsConsoleHandle(HANDLE handle)
{
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

} // namespace

std::wstring DecodeText(std::string_view bytes, UINT codePage)
{
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return ToWide(bytes.substr(3), CP_UTF8).value_or(std::wstring());
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") {
        std::wstring wide((bytes.size() - 2) / 2, L'\0');
        for (size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
        return wide;
    }
    return ToWide(bytes, codePage).value_or(std::wstring());
}

UINT RedirectedOutputCodePage()
{
    const UINT console = GetConsoleOutputCP();
    return console != 0 ? console : GetOEMCP();
}

UINT RedirectedInputCodePage()
{
    const UINT console = GetConsoleCP();
    return console != 0 ? console : GetOEMCP();
}

TConsoleStream::TConsoleStream(DWORD standardHandle)
    : FHandle(GetStdHandle(standardHandle)), FConsole(IsConsoleHandle(FHandle))
{
}

void TConsoleStream::WriteLine(std::string_view programText) const
{
    if (FHandle == nullptr || FHandle == INVALID_HANDLE_VALUE)
        return;
    // Each line of a text of several lines ends in CR LF, as the system's own console commands end them.
    std::wstring wide;
    for (const wchar_t c : ToWide(programText, kProgramCodePage).value_or(std::wstring()) + L"\n")
        wide += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    if (FConsole) {
        DWORD written = 0;
        WriteConsoleW(FHandle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    const std::string bytes = FromWide(wide, RedirectedOutputCodePage()).value_or(std::string());
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(FHandle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr) ||
            written == 0)
            return; // a closed pipe: nobody reads any more
        done += written;
    }
}

TStandardInput ReadStandardInput(size_t maxChars, std::string_view prompt)
{
    TStandardInput input;
    const HANDLE handle = GetStdHandle(STD_INPUT_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return input;
    if (IsConsoleHandle(handle)) {
        TConsoleStream(STD_ERROR_HANDLE).WriteLine(prompt);
        std::vector<wchar_t> chunk(kReadChunk);
        for (;;) {
            DWORD read = 0;
            if (!ReadConsoleW(handle, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) {
                input.Error = GetLastError();
                return input;
            }
            if (read == 0)
                return input;
            const std::wstring_view got(chunk.data(), read);
            const size_t end = got.find(kEndOfInput);
            input.Text.append(got.substr(0, end));
            if (input.Text.size() > maxChars) {
                input.TooLong = true;
                return input;
            }
            if (end != std::wstring_view::npos)
                return input;
        }
    }
    // Four bytes may spell one character (UTF-8), and a byte-order mark may come first.
    const size_t maxBytes = maxChars * 4 + 4;
    std::string bytes;
    std::vector<char> chunk(kReadChunk);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(handle, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) {
            const DWORD error = GetLastError();
            if (error != ERROR_BROKEN_PIPE) // the writer's end closed: that is the end of the text
                input.Error = error;
            break;
        }
        if (read == 0)
            break;
        bytes.append(chunk.data(), read);
        if (bytes.size() > maxBytes) {
            input.TooLong = true;
            break;
        }
    }
    input.Text = DecodeText(bytes, RedirectedInputCodePage());
    input.TooLong = input.TooLong || input.Text.size() > maxChars;
    return input;
}
