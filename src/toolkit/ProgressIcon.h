// A 16x16 picture of how far a piece of work has come: a disc filled clockwise from the top.
#pragma once
#include <windows.h>

// A new icon (the caller destroys it) showing perMille / 1000 of the disc filled; null when GDI is out of handles.
HICON MakeProgressIcon(int perMille);
