// The screen's cursor table.
#include "toolkit/Cursors.h"

#include <map>

namespace {
std::map<int, HCURSOR>& Table()
{
    static std::map<int, HCURSOR> table;
    return table;
}
}

void Screen::SetCursor(int id, HCURSOR cursor)
{
    if (cursor)
        Table()[id] = cursor;
    else
        Table().erase(id);
}

HCURSOR Screen::Cursor(int id)
{
    const auto found = Table().find(id);
    return found == Table().end() ? nullptr : found->second;
}

bool ApplyCursor(int cursor, LPARAM hitTestAndMessage)
{
    if (LOWORD(hitTestAndMessage) != HTCLIENT || cursor == crDefault)
        return false;
    HCURSOR handle = Screen::Cursor(cursor);
    if (!handle)
        return false;
    ::SetCursor(handle);
    return true;
}
