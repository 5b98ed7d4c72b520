// A console program's standard streams: Turkish letters right in a console window, in a redirected file and in
// text that arrives on standard input or in a file.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// The code page of every text the program itself holds (its sources are compiled to it).
inline constexpr UINT kProgramCodePage = 1254;

// Bytes of a file or a pipe as text: a byte-order mark says UTF-8 or UTF-16 (little-endian); without one the
// bytes are in `codePage`.
std::wstring DecodeText(std::string_view bytes, UINT codePage);

// The code page of output that goes to a file or a pipe, and of input that comes from one: the console's own
// (what `chcp` set, the OEM code page 857 on a Turkish Windows), the OEM code page when there is no console.
UINT RedirectedOutputCodePage();
UINT RedirectedInputCodePage();

// One standard output stream. In a console window lines are written as wide characters (WriteConsoleW), so the
// console's fonts show every Turkish letter whatever its code page; redirected, they are written in
// RedirectedOutputCodePage() with CR LF line ends, as the system's own console commands write them.
class TConsoleStream {
public:
    explicit TConsoleStream(DWORD standardHandle);
    bool IsConsole() const { return FConsole; }
    void WriteLine(std::string_view programText) const;

private:
    HANDLE FHandle;
    bool FConsole = false;
};

// Standard input, all of it, as the program's text. In a console window the user types until Ctrl+Z at the start
// of a line (`prompt` first goes to the error stream); redirected, the bytes are read to their end and decoded
// (DecodeText with RedirectedInputCodePage()).
struct TStandardInput {
    std::wstring Text;
    bool TooLong = false; // more than maxChars characters came; Text holds what was read
    DWORD Error = 0;      // the platform's code when reading failed
};
TStandardInput ReadStandardInput(size_t maxChars, std::string_view prompt);
