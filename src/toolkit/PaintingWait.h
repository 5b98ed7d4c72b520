// Waiting on the user-interface thread for another thread's work while the windows go on painting.
#pragma once
#include <windows.h>

// True when the object was signalled within timeoutMs. Meanwhile this thread's windows repaint; input and every
// other posted message wait in the queue, so no command can start again half-way through the one that waits.
bool WaitWhilePainting(HANDLE object, DWORD timeoutMs);
