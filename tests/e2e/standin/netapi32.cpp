// A recording stand-in for netapi32.dll: logs every call with its arguments and answers with scripted results.
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "StandinProtocol.h"
#include "StandinRecording.h"

namespace {

using namespace standin;

constexpr DWORD kOk = 0;
constexpr DWORD kPlatformIdNt = 500;
constexpr size_t kMaxTextUnits = 1u << 20;

standin::TRecorder gRecorder(standin::kLogVariable, standin::kDefaultLogName);
std::set<void*> gOutstanding;

void AddWide(std::string& line, const char* key, const wchar_t* text) {
    const std::string k = key;
    if (!text) {
        AddField(line, k, "NULL");
        AddField(line, k + ".utf16", "NULL");
        return;
    }
    const size_t units = ReadableBytes(text, (kMaxTextUnits + 1) * 2) / 2;
    std::u16string value;
    bool terminated = false;
    for (size_t i = 0; i < units; ++i) {
        if (text[i] == 0) {
            terminated = true;
            break;
        }
        value.push_back(static_cast<char16_t>(text[i]));
    }
    if (!terminated) {
        AddField(line, k, "UNREADABLE");
        AddField(line, k + ".utf16", "UNREADABLE");
        return;
    }
    AddField(line, k, standin::QuoteForLog(value));
    AddField(line, k + ".utf16", standin::HexUnits(value));
}

std::string Pointer(const void* p) { return "0x" + standin::Hex(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)), 8); }

std::string Checked(const void* p) { return p ? "nonnull" : "NULL"; }

bool WriteFileText(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
}

enum class TQueue { Send, Enumerate };

// The queue position shared by every process of a scenario; a named mutex keeps two callers apart.
// False when the position cannot be kept: the queue would silently stop moving otherwise.
bool TakeQueueIndex(const std::string& scriptPath, const std::string& scriptText, TQueue queue, size_t length,
                    size_t& index) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "netapi32-standin-state");
    if (mutex) WaitForSingleObject(mutex, 5000);
    const std::string statePath = standin::StatePathFor(scriptPath);
    const std::string hash = std::to_string(standin::Fnv1a(scriptText));
    unsigned long sent = 0, enumerated = 0;
    std::string state;
    if (ReadFileText(statePath, state)) {
        char stored[32] = {};
        if (std::sscanf(state.c_str(), "%31s %lu %lu", stored, &sent, &enumerated) != 3 || hash != stored)
            sent = enumerated = 0;
    }
    unsigned long& used = queue == TQueue::Send ? sent : enumerated;
    index = used < length ? used : length - 1;
    ++used;
    const bool kept =
        WriteFileText(statePath, hash + " " + std::to_string(sent) + " " + std::to_string(enumerated) + "\n");
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    return kept;
}

// The scripted answer for one call (the defaults when nothing is scripted), or the reason the script failed.
struct TScriptAnswer {
    uint32_t SendResult = 0;
    standin::EnumResult Enum;
    std::string Problem;
    int Line = 0;
};

// The script as it stands now, or the reason it cannot be used; false when no script is configured.
bool ReadScript(standin::ParsedScript& parsed, std::string& path, std::string& text, TScriptAnswer& answer) {
    if (!GetEnv(standin::kScriptVariable, path)) return false;
    if (path.empty() || !ReadFileText(path, text)) {
        answer.Problem = "cannot read the script \"" + path + "\"";
        return true;
    }
    parsed = standin::ParseScript(text);
    if (!parsed.Error.empty()) {
        answer.Problem = parsed.Error;
        answer.Line = parsed.ErrorLine;
    }
    return true;
}

standin::Script ScriptedDelays() {
    standin::ParsedScript parsed;
    std::string path, text;
    TScriptAnswer answer;
    return ReadScript(parsed, path, text, answer) && answer.Problem.empty() ? parsed.Lines : standin::Script();
}

TScriptAnswer NextAnswer(TQueue queue, const wchar_t* recipient = nullptr) {
    TScriptAnswer answer;
    standin::ParsedScript parsed;
    std::string path, text;
    if (!ReadScript(parsed, path, text, answer) || !answer.Problem.empty()) return answer;
    if (queue == TQueue::Send && recipient) {
        std::u16string name;
        const size_t units = ReadableBytes(recipient, (kMaxTextUnits + 1) * 2) / 2;
        for (size_t i = 0; i < units && recipient[i]; ++i) name.push_back(static_cast<char16_t>(recipient[i]));
        if (const std::optional<uint32_t> result = parsed.Lines.ResultFor(name)) {
            answer.SendResult = *result;
            return answer;
        }
    }
    const size_t length = queue == TQueue::Send ? parsed.Lines.SendResults.size() : parsed.Lines.EnumResults.size();
    if (length == 0) return answer;
    size_t index = 0;
    if (!TakeQueueIndex(path, text, queue, length, index)) {
        answer.Problem = "cannot write \"" + standin::StatePathFor(path) + "\"";
        return answer;
    }
    if (queue == TQueue::Send)
        answer.SendResult = parsed.Lines.SendResults[index];
    else
        answer.Enum = parsed.Lines.EnumResults[index];
    return answer;
}

void LogScriptError(const char* function, const TScriptAnswer& answer) {
    std::string line = gRecorder.StartRecord("ScriptError");
    AddField(line, "function", function);
    AddField(line, "line", std::to_string(answer.Line));
    AddField(line, "reason", standin::QuoteForLog(standin::WideFromAnsi(answer.Problem)));
    gRecorder.Append(line);
}

// Level 100 records (platform id, name pointer) followed by the names, in one block freed by NetApiBufferFree.
struct TServerRecord100 {
    DWORD PlatformId;
    wchar_t* Name;
};

void* BuildServerInfo100(const std::vector<standin::Name>& names) {
    const size_t recordBytes = names.size() * sizeof(TServerRecord100);
    size_t size = recordBytes;
    for (const standin::Name& n : names) {
        if (!n) continue;
        const size_t bytes = (n->size() + 1) * 2;
        if (bytes < n->size() || size + bytes < size) return nullptr;
        size += bytes;
    }
    auto* block = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size));
    if (!block) return nullptr;
    auto* records = reinterpret_cast<TServerRecord100*>(block);
    auto* text = reinterpret_cast<wchar_t*>(block + recordBytes);
    for (size_t i = 0; i < names.size(); ++i) {
        records[i].PlatformId = kPlatformIdNt;
        if (!names[i]) continue;
        records[i].Name = text;
        for (char16_t u : *names[i]) *text++ = static_cast<wchar_t>(u);
        *text++ = 0;
    }
    return block;
}

DWORD SendCall(const wchar_t* servername, const wchar_t* msgname, const wchar_t* fromname, const BYTE* buf,
               DWORD buflen, DWORD entered) {
    std::string line = gRecorder.StartRecord("NetMessageBufferSend");
    AddWide(line, "servername", servername);
    AddWide(line, "msgname", msgname);
    AddWide(line, "fromname", fromname);
    if (!buf)
        AddField(line, "buf", "NULL");
    else if (ReadableBytes(buf, buflen) < buflen)
        AddField(line, "buf", "UNREADABLE");
    else
        AddField(line, "buf", standin::HexBytes(buf, buflen));
    AddField(line, "buflen", std::to_string(buflen));

    const TScriptAnswer answer =
        NextAnswer(TQueue::Send, msgname);
    DWORD result = answer.SendResult;
    if (!answer.Problem.empty()) {
        LogScriptError("NetMessageBufferSend", answer);
        result = standin::kScriptErrorResult;
    }
    AddField(line, "result", std::to_string(result));
    AddField(line, "entered", std::to_string(entered));
    AddField(line, "left", std::to_string(GetTickCount()));
    return gRecorder.Append(line) ? result : ERROR_WRITE_FAULT;
}

DWORD EnumCall(const wchar_t* servername, DWORD level, BYTE** bufptr, DWORD prefmaxlen, DWORD* entriesread,
               DWORD* totalentries, DWORD servertype, const wchar_t* domain, DWORD* resume) {
    std::string line = gRecorder.StartRecord("NetServerEnum");
    AddWide(line, "servername", servername);
    AddField(line, "level", std::to_string(level));
    AddField(line, "bufptr", Checked(bufptr));
    AddField(line, "prefmaxlen", "0x" + standin::Hex(prefmaxlen, 8));
    AddField(line, "entriesread", Checked(entriesread));
    AddField(line, "totalentries", Checked(totalentries));
    AddField(line, "servertype", "0x" + standin::Hex(servertype, 8));
    AddWide(line, "domain", domain);
    if (!resume)
        AddField(line, "resume", "NULL");
    else if (ReadableBytes(resume, sizeof *resume) < sizeof *resume)
        AddField(line, "resume", "UNREADABLE");
    else
        AddField(line, "resume", std::to_string(*resume));

    DWORD status = kOk;
    void* block = nullptr;
    size_t count = 0;
    if (level != 100) {
        status = ERROR_INVALID_LEVEL;
    } else if (!bufptr || !entriesread || !totalentries) {
        status = ERROR_INVALID_PARAMETER;
    } else {
        const TScriptAnswer answer = NextAnswer(TQueue::Enumerate);
        if (!answer.Problem.empty()) {
            LogScriptError("NetServerEnum", answer);
            status = standin::kScriptErrorResult;
        } else {
            status = answer.Enum.Status;
            count = answer.Enum.Names.size();
            if (count > 0 && !(block = BuildServerInfo100(answer.Enum.Names))) {
                status = ERROR_NOT_ENOUGH_MEMORY;
                count = 0;
            }
            if (block) gOutstanding.insert(block);
            if (resume) {
                *resume = answer.Enum.Resume;
                AddField(line, "resume.out", std::to_string(answer.Enum.Resume));
            }
        }
        *bufptr = static_cast<BYTE*>(block);
        *entriesread = *totalentries = static_cast<DWORD>(count);
    }
    AddField(line, "result", std::to_string(status));
    AddField(line, "entries", std::to_string(count));
    AddField(line, "buffer", block ? Pointer(block) : "NULL");
    return gRecorder.Append(line) ? status : ERROR_WRITE_FAULT;
}

DWORD FreeCall(void* buffer) {
    std::string line = gRecorder.StartRecord("NetApiBufferFree");
    AddField(line, "buffer", buffer ? Pointer(buffer) : "NULL");
    const auto it = gOutstanding.find(buffer);
    const bool ours = buffer && it != gOutstanding.end();
    DWORD result = buffer ? ERROR_INVALID_PARAMETER : kOk;
    if (ours) {
        gOutstanding.erase(it);
        HeapFree(GetProcessHeap(), 0, buffer);
        result = kOk;
    }
    AddField(line, "ours", ours ? "yes" : "no");
    AddField(line, "result", std::to_string(result));
    AddField(line, "outstanding", std::to_string(gOutstanding.size()));
    return gRecorder.Append(line) ? result : ERROR_WRITE_FAULT;
}

}  // namespace

// Exceptions must not leave a stdcall export: the caller has no way to unwind them.
extern "C" DWORD WINAPI NetMessageBufferSend(const wchar_t* servername, const wchar_t* msgname,
                                             const wchar_t* fromname, BYTE* buf, DWORD buflen) {
    const DWORD entered = GetTickCount();
    try {
        // Outside the lock, so that callers on several threads wait side by side like real deliveries.
        if (const uint32_t delay = ScriptedDelays().SendDelayMs) Sleep(delay);
        standin::TRecorder::TGuard guard(gRecorder);
        return SendCall(servername, msgname, fromname, buf, buflen, entered);
    } catch (...) {
        return standin::kScriptErrorResult;
    }
}

extern "C" DWORD WINAPI NetServerEnum(const wchar_t* servername, DWORD level, BYTE** bufptr, DWORD prefmaxlen,
                                      DWORD* entriesread, DWORD* totalentries, DWORD servertype,
                                      const wchar_t* domain, DWORD* resume_handle) {
    try {
        // Outside the lock, like the send's delay.
        if (const uint32_t delay = ScriptedDelays().EnumDelayMs) Sleep(delay);
        standin::TRecorder::TGuard guard(gRecorder);
        return EnumCall(servername, level, bufptr, prefmaxlen, entriesread, totalentries, servertype, domain,
                        resume_handle);
    } catch (...) {
        return standin::kScriptErrorResult;
    }
}

extern "C" DWORD WINAPI NetApiBufferFree(void* buffer) {
    standin::TRecorder::TGuard guard(gRecorder);
    try {
        return FreeCall(buffer);
    } catch (...) {
        return standin::kScriptErrorResult;
    }
}
