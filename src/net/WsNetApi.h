// The messenger operation of netapi32 and the wide buffers it takes.
#pragma once
#include <cstdint>
#include <string>

#include "net/WsBase.h"

class EWsNetException : public EWsException {
public:
    using EWsException::EWsException;
};

// A zero-terminated UTF-16 copy of a text and its size in bytes (terminator counted); null and 0 for no text.
struct TWideBuffer {
    wchar_t* Pointer = nullptr;
    uint32_t Length = 0;

    TWideBuffer() = default;
    TWideBuffer(const TWideBuffer&) = delete;
    TWideBuffer& operator=(const TWideBuffer&) = delete;
    ~TWideBuffer() { Release(); }
    void Release();
};

// Fills the buffer with the trimmed text converted from the system code page, releasing what it held.
void MakeWideBuffer(const std::string& text, TWideBuffer& buffer);

// Calls NetMessageBufferSend with the trimmed names, loading the network library first if the start did not (or
// failed to); returns the platform's result. Raises EWsNetException when the library or operation is missing.
uint32_t CallNetMessageBufferSend(const std::string& server, const std::string& to, const std::string& from,
    const void* message, uint32_t length);

// Tests load another library under the documented name's place, to see a failing load and its retry.
void SetNetApiLibraryNameForTesting(const std::string& name);
