// What the scenarios on the test network (tests/lan/with-lan.sh) share: its variables, the folders of the program
// and of the Samba receiver's arrived messages.
#pragma once
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Driver.h"

namespace e2e {

inline std::string Variable(const char* name)
{
    char value[1024];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
    return n > 0 && n < sizeof(value) ? std::string(value, n) : std::string();
}

inline std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

inline std::string OwnFolder()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n < MAX_PATH ? n : 0);
    return folder.substr(0, folder.find_last_of('\\'));
}

// The receiver's folder for arrived messages, as Wine sees the Unix path: on drive Z.
inline std::string MessageFolder()
{
    std::string path = Variable("VARNEL_LAN_DIR") + "/msgs";
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return "Z:" + path;
}

inline std::vector<std::string> ArrivedMessages()
{
    std::vector<std::string> texts;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((MessageFolder() + "\\msg-*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return texts;
    do {
        std::ifstream in(MessageFolder() + "\\" + found.cFileName, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        texts.push_back(found.cFileName + std::string(":") + s.str());
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return texts;
}

inline std::vector<std::string> WaitForArrivals(size_t count)
{
    std::vector<std::string> arrived;
    WaitUntil([&] { return (arrived = ArrivedMessages()).size() >= count; }, 15000);
    return arrived;
}

} // namespace e2e
