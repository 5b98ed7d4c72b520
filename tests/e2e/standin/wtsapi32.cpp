// A recording stand-in for wtsapi32.dll: logs every call of the terminal-services message road and answers
// with scripted sessions and results, after a scripted delay where one is asked for.
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "WtsStandinProtocol.h"
#include "StandinRecording.h"

namespace {

using standin::AddField;
using standin::GetEnv;
using standin::ReadableBytes;
using standin::ReadFileText;

constexpr DWORD kAsyncResponse = 32001; // IDASYNC: the box is shown, nobody waits for the answer
constexpr size_t kMaxTextBytes = 1u << 20;

// Mirrors WTS_SESSION_INFOA.
struct TSessionInfo {
    DWORD SessionId;
    char* WinStationName;
    DWORD State;
};

struct TServer {
    std::string Name;
};

standin::TRecorder gRecorder(wtsstandin::kLogVariable, wtsstandin::kDefaultLogName);
std::set<void*> gServers;
std::set<void*> gBuffers;
uint64_t gScriptHash = 0;
size_t gSendsTaken = 0;


// The script as it stands now; Error says why it cannot be used. Without a script the server answers as one
// without the road does.
wtsstandin::ParsedScript CurrentScript(uint64_t& hash) {
    std::string path, text;
    hash = 0;
    if (!GetEnv(wtsstandin::kScriptVariable, path)) {
        wtsstandin::ParsedScript none;
        none.Lines.SessionsError = wtsstandin::kRpcServerUnavailable;
        return none;
    }
    if (!ReadFileText(path, text)) return {{}, "cannot read the script \"" + path + "\""};
    hash = standin::Fnv1a(text);
    return wtsstandin::ParseScript(text);
}

// Sleeps as scripted for this export, before any lock is taken.
void DelayFor(const char* function) {
    uint64_t hash = 0;
    const wtsstandin::ParsedScript script = CurrentScript(hash);
    const auto it = script.Lines.DelaysMs.find(function);
    if (script.Error.empty() && it != script.Lines.DelaysMs.end()) Sleep(it->second);
}

void AddText(std::string& line, const std::string& key, const char* text, size_t length) {
    if (!text || ReadableBytes(text, length) < length) {
        const char* what = text ? "UNREADABLE" : "NULL";
        AddField(line, key, what);
        AddField(line, key + ".hex", what);
        return;
    }
    const std::string bytes(text, length);
    AddField(line, key, standin::QuoteForLog(standin::WideFromAnsi(bytes)));
    AddField(line, key + ".hex", standin::HexBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

size_t TerminatedLength(const char* text) {
    if (!text) return 0;
    const size_t readable = ReadableBytes(text, kMaxTextBytes);
    size_t n = 0;
    while (n < readable && text[n]) ++n;
    return n;
}

std::string Pointer(const void* p) {
    return p ? "0x" + standin::Hex(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)), 8) : "NULL";
}

// Logs a script that cannot be used and answers with its error code.
bool ScriptUnusable(const char* function, const wtsstandin::ParsedScript& script) {
    if (script.Error.empty()) return false;
    std::string line = gRecorder.StartRecord("ScriptError");
    AddField(line, "function", function);
    AddField(line, "reason", standin::QuoteForLog(standin::WideFromAnsi(script.Error)));
    gRecorder.Append(line);
    return true;
}

// Ends a call: the record is written, then the last error is set for the caller.
template <typename T>
T Finish(std::string& line, T result, DWORD error) {
    AddField(line, "error", std::to_string(error));
    if (!gRecorder.Append(line)) error = ERROR_WRITE_FAULT;
    SetLastError(error);
    return result;
}

HANDLE OpenCall(const char* name) {
    std::string line = gRecorder.StartRecord("WTSOpenServerA");
    AddText(line, "name", name, TerminatedLength(name));
    uint64_t hash = 0;
    const wtsstandin::ParsedScript script = CurrentScript(hash);
    DWORD error = script.Lines.OpenError;
    if (ScriptUnusable("WTSOpenServerA", script)) error = wtsstandin::kScriptErrorResult;
    TServer* server = nullptr;
    if (error == 0) {
        server = new TServer{name ? name : ""};
        gServers.insert(server);
    }
    AddField(line, "result", Pointer(server));
    return Finish<HANDLE>(line, server, error);
}

BOOL EnumerateCall(HANDLE server, DWORD reserved, DWORD version, TSessionInfo** info, DWORD* count) {
    std::string line = gRecorder.StartRecord("WTSEnumerateSessionsA");
    AddField(line, "server", Pointer(server));
    AddField(line, "reserved", std::to_string(reserved));
    AddField(line, "version", std::to_string(version));
    uint64_t hash = 0;
    const wtsstandin::ParsedScript script = CurrentScript(hash);
    DWORD error = script.Lines.SessionsError;
    if (ScriptUnusable("WTSEnumerateSessionsA", script)) error = wtsstandin::kScriptErrorResult;
    if (!info || !count) error = ERROR_INVALID_PARAMETER;
    TSessionInfo* block = nullptr;
    const auto& sessions = script.Lines.Sessions;
    if (error == 0) {
        static char kName[] = "RDP-Tcp";
        block = static_cast<TSessionInfo*>(
            HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, (sessions.size() + 1) * sizeof(TSessionInfo)));
        if (!block) error = ERROR_NOT_ENOUGH_MEMORY;
        for (size_t i = 0; block && i < sessions.size(); ++i) block[i] = {sessions[i].Id, kName, sessions[i].State};
        if (block) gBuffers.insert(block);
    }
    if (info) *info = block;
    if (count) *count = block ? static_cast<DWORD>(sessions.size()) : 0;
    AddField(line, "result", error == 0 ? "1" : "0");
    AddField(line, "count", std::to_string(block ? sessions.size() : 0));
    AddField(line, "buffer", Pointer(block));
    return Finish<BOOL>(line, error == 0, error);
}

BOOL SendCall(HANDLE server, DWORD session, const char* title, DWORD titleLength, const char* message,
              DWORD messageLength, DWORD style, DWORD timeout, DWORD* response, BOOL wait) {
    std::string line = gRecorder.StartRecord("WTSSendMessageA");
    AddField(line, "server", Pointer(server));
    AddField(line, "session", std::to_string(session));
    AddText(line, "title", title, titleLength);
    AddField(line, "titlelen", std::to_string(titleLength));
    AddText(line, "message", message, messageLength);
    AddField(line, "messagelen", std::to_string(messageLength));
    AddField(line, "style", "0x" + standin::Hex(style, 8));
    AddField(line, "timeout", std::to_string(timeout));
    AddField(line, "response", response ? "nonnull" : "NULL");
    AddField(line, "bwait", std::to_string(wait));
    uint64_t hash = 0;
    const wtsstandin::ParsedScript script = CurrentScript(hash);
    DWORD error = 0;
    if (ScriptUnusable("WTSSendMessageA", script)) {
        error = wtsstandin::kScriptErrorResult;
    } else if (!script.Lines.SendErrors.empty()) {
        if (hash != gScriptHash) {
            gScriptHash = hash;
            gSendsTaken = 0;
        }
        const auto& errors = script.Lines.SendErrors;
        error = errors[gSendsTaken < errors.size() ? gSendsTaken : errors.size() - 1];
        ++gSendsTaken;
    }
    if (!response) error = ERROR_INVALID_PARAMETER;
    if (error == 0) *response = kAsyncResponse;
    AddField(line, "result", error == 0 ? "1" : "0");
    return Finish<BOOL>(line, error == 0, error);
}

void FreeCall(void* buffer) {
    std::string line = gRecorder.StartRecord("WTSFreeMemory");
    AddField(line, "buffer", Pointer(buffer));
    const bool ours = gBuffers.erase(buffer) > 0;
    if (ours) HeapFree(GetProcessHeap(), 0, buffer);
    AddField(line, "ours", ours ? "yes" : "no");
    AddField(line, "outstanding", std::to_string(gBuffers.size()));
    gRecorder.Append(line);
}

void CloseCall(HANDLE server) {
    std::string line = gRecorder.StartRecord("WTSCloseServer");
    AddField(line, "server", Pointer(server));
    const bool ours = gServers.erase(server) > 0;
    if (ours) delete static_cast<TServer*>(server);
    AddField(line, "ours", ours ? "yes" : "no");
    AddField(line, "open", std::to_string(gServers.size()));
    gRecorder.Append(line);
}

} // namespace

// Exceptions must not leave a stdcall export: the caller has no way to unwind them.
extern "C" HANDLE WINAPI WTSOpenServerA(char* name) {
    DelayFor("WTSOpenServerA");
    standin::TRecorder::TGuard guard(gRecorder);
    try {
        return OpenCall(name);
    } catch (...) {
        SetLastError(wtsstandin::kScriptErrorResult);
        return nullptr;
    }
}

extern "C" BOOL WINAPI WTSEnumerateSessionsA(HANDLE server, DWORD reserved, DWORD version, TSessionInfo** info,
                                             DWORD* count) {
    DelayFor("WTSEnumerateSessionsA");
    standin::TRecorder::TGuard guard(gRecorder);
    try {
        return EnumerateCall(server, reserved, version, info, count);
    } catch (...) {
        SetLastError(wtsstandin::kScriptErrorResult);
        return FALSE;
    }
}

extern "C" BOOL WINAPI WTSSendMessageA(HANDLE server, DWORD session, char* title, DWORD titleLength, char* message,
                                       DWORD messageLength, DWORD style, DWORD timeout, DWORD* response, BOOL wait) {
    DelayFor("WTSSendMessageA");
    standin::TRecorder::TGuard guard(gRecorder);
    try {
        return SendCall(server, session, title, titleLength, message, messageLength, style, timeout, response, wait);
    } catch (...) {
        SetLastError(wtsstandin::kScriptErrorResult);
        return FALSE;
    }
}

extern "C" void WINAPI WTSFreeMemory(void* buffer) {
    standin::TRecorder::TGuard guard(gRecorder);
    try {
        FreeCall(buffer);
    } catch (...) {
    }
}

extern "C" void WINAPI WTSCloseServer(HANDLE server) {
    DelayFor("WTSCloseServer");
    standin::TRecorder::TGuard guard(gRecorder);
    try {
        CloseCall(server);
    } catch (...) {
    }
}
