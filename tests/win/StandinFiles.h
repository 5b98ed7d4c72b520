// A recording stand-in's log and script for one test: files in the temp folder, named in this process's
// environment while the object lives (the stand-in reads the variables at every call).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "../e2e/standin/StandinProtocol.h"

inline std::string TempPath(const std::string& name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

class TStandinFiles {
public:
    // The log starts empty; the script is named from the start only when `scriptNamed` (the netapi32 stand-in
    // answers every call with 0 while no script is named).
    TStandinFiles(const char* logVariable, const char* scriptVariable, const std::string& name, bool scriptNamed)
        : Log(TempPath(name + ".log")), Script(TempPath(name + ".script")), FLogVariable(logVariable),
          FScriptVariable(scriptVariable)
    {
        DeleteFileA(Log.c_str());
        SetEnvironmentVariableA(FLogVariable, Log.c_str());
        SetEnvironmentVariableA(FScriptVariable, scriptNamed ? Script.c_str() : nullptr);
    }
    ~TStandinFiles()
    {
        SetEnvironmentVariableA(FLogVariable, nullptr);
        SetEnvironmentVariableA(FScriptVariable, nullptr);
        DeleteFileA(Script.c_str());
    }
    TStandinFiles(const TStandinFiles&) = delete;
    TStandinFiles& operator=(const TStandinFiles&) = delete;

    void NameScript() const { SetEnvironmentVariableA(FScriptVariable, Script.c_str()); }
    std::vector<standin::Record> Records(const char* function) const
    {
        return standin::RecordsOf(standin::ReadLog(Log), function);
    }

    const std::string Log;
    const std::string Script;

private:
    const char* FLogVariable;
    const char* FScriptVariable;
};
