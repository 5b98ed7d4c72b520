// The name cannot change while the program runs (a new name takes a restart), so one reading serves every send.
#include "net/ThisComputer.h"

#include <windows.h>

namespace {

std::string ReadComputerName()
{
    // Room for a DNS-length name: a platform that gives more than the NetBIOS length must not fail the call.
    char name[256] = "";
    DWORD size = sizeof(name);
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

} // namespace

const std::string& ThisComputerName()
{
    static const std::string name = ReadComputerName();
    return name;
}
