// The script and log formats of the recording wtsapi32 stand-in, shared by the stand-in and the tests.
//
// Configuration, read at every call from the calling process's environment:
//   WTSAPI_STANDIN_LOG     path of the log file (default "wtsapi32-standin.log" in the current folder)
//   WTSAPI_STANDIN_SCRIPT  path of a script file; without it the server opens and the enumeration fails with 1722,
//                          as on a computer that takes no remote calls. A script that cannot be read or parsed
//                          makes every call fail with 13.
//
// Script lines (blank lines and lines starting with '#' are ignored; numbers decimal or 0x-hexadecimal):
//   Open <error>                           0: WTSOpenServerA hands out a handle; otherwise NULL with that last error
//   Sessions <error> [<id>:<state> ...]    0: WTSEnumerateSessionsA lists these sessions (state: the number of the
//                                          WTS_CONNECTSTATE_CLASS value, 0 = WTSActive); otherwise FALSE and error
//   Send <error> [<error> ...]             one result per WTSSendMessageA call of this process, in order; the last
//                                          repeats. 0: TRUE with the response IDASYNC; otherwise FALSE and error
//   Delay <function> <ms>                  the named export sleeps that long before it answers (outside any lock,
//                                          so that other calls go on meanwhile)
// How far the Send results have been consumed is kept per process and restarts when the script changes.
//
// Log: one line per call, written when the call returns; fields separated by a tab:
//   WTSOpenServerA        pid seq name=<text> name.hex result=<handle or NULL> error
//   WTSEnumerateSessionsA pid seq server reserved version result error count buffer
//   WTSSendMessageA       pid seq server session title title.hex titlelen message message.hex messagelen style
//                         timeout response bwait result error
//   WTSFreeMemory         pid seq buffer ours=yes|no outstanding=<buffers not yet freed>
//   WTSCloseServer        pid seq server ours=yes|no open=<handles still open>
//   ScriptError           pid seq function reason
// Texts are the cp1254 bytes: <key>=<quoted UTF-8 text> and <key>.hex=<the bytes in hexadecimal>; a text that the
// call gives with a length logs exactly that many bytes. Handles and buffers are 0x-hexadecimal.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "StandinProtocol.h"

namespace wtsstandin {

inline constexpr const char* kLogVariable = "WTSAPI_STANDIN_LOG";
inline constexpr const char* kScriptVariable = "WTSAPI_STANDIN_SCRIPT";
inline constexpr const char* kDefaultLogName = "wtsapi32-standin.log";
using standin::kScriptErrorResult;
inline constexpr uint32_t kActive = 0;             // WTSActive
inline constexpr uint32_t kRpcServerUnavailable = 1722;

struct Session {
    uint32_t Id = 0;
    uint32_t State = kActive;
};

struct Script {
    uint32_t OpenError = 0;
    uint32_t SessionsError = 0;
    std::vector<Session> Sessions;
    std::vector<uint32_t> SendErrors;
    std::map<std::string, uint32_t> DelaysMs; // by export name

    std::string Text() const {
        std::string out = "# wtsapi32 stand-in script\nOpen " + std::to_string(OpenError) + "\nSessions " +
                          std::to_string(SessionsError);
        for (const Session& s : Sessions) out += " " + std::to_string(s.Id) + ":" + std::to_string(s.State);
        out += "\n";
        if (!SendErrors.empty()) {
            out += "Send";
            for (uint32_t e : SendErrors) out += " " + std::to_string(e);
            out += "\n";
        }
        for (const auto& d : DelaysMs) out += "Delay " + d.first + " " + std::to_string(d.second) + "\n";
        return out;
    }
};

// The parsed script, or the first problem in it.
struct ParsedScript {
    Script Lines;
    std::string Error;
};

inline std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        const size_t start = line.find_first_not_of(" \t\r", i);
        if (start == std::string::npos) break;
        const size_t end = line.find_first_of(" \t\r", start);
        words.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
        i = end == std::string::npos ? line.size() : end;
    }
    return words;
}

inline ParsedScript ParseScript(const std::string& text) {
    ParsedScript result;
    std::string error;
    int errorLine = 0;
    const bool read = standin::ForEachScriptLine(text, [&](const std::string& line) {
        const std::vector<std::string> w = Words(line);
        if (w.empty() || w[0][0] == '#') return;
        if (w[0] == "Open" && w.size() == 2) {
            result.Lines.OpenError = standin::ParseNumber(w[1]);
        } else if (w[0] == "Sessions" && w.size() >= 2) {
            result.Lines.SessionsError = standin::ParseNumber(w[1]);
            for (size_t k = 2; k < w.size(); ++k) {
                const size_t colon = w[k].find(':');
                if (colon == std::string::npos) throw std::runtime_error("a session is <id>:<state>");
                result.Lines.Sessions.push_back(
                    {standin::ParseNumber(w[k].substr(0, colon)), standin::ParseNumber(w[k].substr(colon + 1))});
            }
        } else if (w[0] == "Send" && w.size() >= 2) {
            for (size_t k = 1; k < w.size(); ++k) result.Lines.SendErrors.push_back(standin::ParseNumber(w[k]));
        } else if (w[0] == "Delay" && w.size() == 3) {
            result.Lines.DelaysMs[w[1]] = standin::ParseNumber(w[2]);
        } else {
            throw std::runtime_error("not a script line");
        }
    }, error, errorLine);
    if (!read) result.Error = "line " + std::to_string(errorLine) + ": " + error;
    return result;
}

inline void WriteScript(const std::string& path, const Script& script) { standin::WriteScriptText(path, script.Text()); }

// A text field's bytes as the caller gave them (cp1254).
inline std::string TextBytes(const standin::Record& r, const std::string& key) {
    const std::vector<uint8_t> bytes = r.Bytes(key + ".hex");
    return std::string(bytes.begin(), bytes.end());
}

} // namespace wtsstandin
