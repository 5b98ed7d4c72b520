// What the recording stand-in libraries share: reading their script and environment, appending records to their
// log under one lock, and looking at caller memory without crashing on a bad pointer.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>

namespace standin {

// The variable's value; false when it is not set. An empty value is set.
inline bool GetEnv(const char* name, std::string& value) {
    std::string buf(256, '\0');
    for (;;) {
        SetLastError(0);
        const DWORD n = GetEnvironmentVariableA(name, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return GetLastError() != ERROR_ENVVAR_NOT_FOUND ? (value.clear(), true) : false;
        if (n < buf.size()) {
            value.assign(buf.data(), n);
            return true;
        }
        buf.assign(n + 1, '\0');
    }
}

inline bool ReadFileText(const std::string& path, std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    text.clear();
    char buf[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buf, sizeof buf, &got, nullptr) != FALSE) && got > 0) text.append(buf, got);
    CloseHandle(file);
    return ok;
}

// Appends one record to the log that `logVariable` names (else `defaultName`). One open-append-close per record,
// so a reader in another process sees it at once.
inline bool AppendLogLine(const char* logVariable, const char* defaultName, std::string line) {
    std::string path;
    if (!GetEnv(logVariable, path) || path.empty()) path = defaultName;
    line += '\n';
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
    return ok && written == line.size();
}

inline void AddField(std::string& line, const std::string& key, const std::string& value) {
    line += '\t';
    line += key;
    line += '=';
    line += value;
}

// One library's log: its records are numbered per process, and its exports take its lock while they touch the
// library's state and write their record.
class TRecorder {
public:
    TRecorder(const char* logVariable, const char* defaultLogName)
        : FLogVariable(logVariable), FDefaultLogName(defaultLogName) {
        InitializeCriticalSection(&FLock);
    }
    ~TRecorder() { DeleteCriticalSection(&FLock); }
    TRecorder(const TRecorder&) = delete;
    TRecorder& operator=(const TRecorder&) = delete;

    class TGuard {
    public:
        explicit TGuard(TRecorder& recorder) : FLock(recorder.FLock) { EnterCriticalSection(&FLock); }
        ~TGuard() { LeaveCriticalSection(&FLock); }
        TGuard(const TGuard&) = delete;
        TGuard& operator=(const TGuard&) = delete;

    private:
        CRITICAL_SECTION& FLock;
    };

    // "<function>\tpid=<n>\tseq=<n>": the start of every record.
    std::string StartRecord(const char* function) {
        std::string line = function;
        AddField(line, "pid", std::to_string(GetCurrentProcessId()));
        AddField(line, "seq", std::to_string(++FSeq));
        return line;
    }
    bool Append(std::string line) const { return AppendLogLine(FLogVariable, FDefaultLogName, std::move(line)); }

private:
    const char* FLogVariable;
    const char* FDefaultLogName;
    CRITICAL_SECTION FLock;
    unsigned FSeq = 0;
};

// Tells one content of a script from another.
inline uint64_t Fnv1a(const std::string& text) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
    return h;
}

// Bytes that can be read from p on, up to limit: the tests want to see a bad pointer, not crash on it.
inline size_t ReadableBytes(const void* p, size_t limit) {
    auto at = reinterpret_cast<uintptr_t>(p);
    size_t total = 0;
    while (total < limit) {
        MEMORY_BASIC_INFORMATION mbi;
        if (VirtualQuery(reinterpret_cast<void*>(at), &mbi, sizeof mbi) == 0) break;
        constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                                    PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
        if (mbi.State != MEM_COMMIT || (mbi.Protect & (PAGE_NOACCESS | PAGE_GUARD)) || !(mbi.Protect & kReadable))
            break;
        const uintptr_t end = reinterpret_cast<uintptr_t>(mbi.BaseAddress) + mbi.RegionSize;
        if (end <= at) break;
        total += end - at;
        at = end;
    }
    return total < limit ? total : limit;
}

} // namespace standin
