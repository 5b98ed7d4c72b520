// Runs the console program with its standard streams redirected to files of a scenario, as a script runs it.
#pragma once
#include <windows.h>

#include <string>

#include "Driver.h"
#include "standin/StandinProtocol.h"

namespace e2e {

struct TConsoleRun {
    DWORD Code = 0xFFFFFFFF;
    std::string Out; // as the program wrote it, in the redirected code page
    std::string Err;
};

inline HANDLE InheritableFile(const std::string& path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
        FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Code page 1254 text in the code page of a redirected stream (what the program writes to a file).
inline std::string InCodePage(const std::string& cp1254, UINT codePage)
{
    std::wstring wide(cp1254.size(), L'\0');
    MultiByteToWideChar(1254, 0, cp1254.data(), static_cast<int>(cp1254.size()), wide.data(), static_cast<int>(wide.size()));
    const int bytes = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), out.data(), bytes, nullptr, nullptr);
    return out;
}

// Runs varnelc.exe without a console, its streams redirected to files (the input from `input` when given).
inline TConsoleRun RunConsoleProgram(TScenario& scenario, const std::string& exe, const std::string& arguments,
    const std::string& input = {})
{
    const std::string in = scenario.PathOf("stdin.txt"), out = scenario.PathOf("stdout.txt"),
                      err = scenario.PathOf("stderr.txt");
    standin::WriteScriptText(in, input);
    TStartOptions options;
    options.Exe = exe;
    // Where the program lies: a library beside it and one in the current folder must be the same one.
    const size_t slash = exe.find_last_of('\\');
    options.WorkingFolder = slash == std::string::npos ? std::string() : exe.substr(0, slash);
    options.Arguments = arguments;
    options.CreationFlags = DETACHED_PROCESS;
    options.StdInput = InheritableFile(in, GENERIC_READ, OPEN_EXISTING);
    options.StdOutput = InheritableFile(out, GENERIC_WRITE, CREATE_ALWAYS);
    options.StdError = InheritableFile(err, GENERIC_WRITE, CREATE_ALWAYS);
    TConsoleRun run;
    {
        TProcess& process = scenario.Start(options);
        EXPECT_TRUE(process.WaitForExit()) << arguments;
        run.Code = process.ExitCode().value_or(0xFFFFFFFF);
    }
    for (HANDLE h : {options.StdInput, options.StdOutput, options.StdError})
        CloseHandle(h);
    run.Out = standin::ReadWholeFile(out);
    run.Err = standin::ReadWholeFile(err);
    return run;
}

} // namespace e2e
