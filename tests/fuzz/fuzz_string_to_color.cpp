// Fuzz target for colour texts: any input gives a colour or the convert error, and a colour's text reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/ColorNames.h"
#include "core/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    TColor color = 0;
    try {
        color = StringToColor(text);
    } catch (const EConvertError& e) {
        if (e.Message() != "'" + text + "' is not a valid integer value")
            std::abort();
        return 0;
    }
    const std::string back = ColorToString(color);
    if (StringToColor(back) != color)
        std::abort();
    if (back[0] == '$' && back.size() != 9)
        std::abort();
    // A text that reads as a colour is either an identifier or holds at least one digit.
    TColor ident = 0;
    if (!IdentToColor(text, ident) && text.find_first_of("0123456789abcdefABCDEF") == std::string::npos)
        std::abort();
    return 0;
}
