// The fields of the wire formats.
#include "core/WireBytes.h"

#include <stdexcept>
#include <string>

void PutWord(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

uint16_t GetWord(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void PutBigEndianWord(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

uint16_t GetBigEndianWord(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint16_t>((bytes[at] << 8) | bytes[at + 1]);
}

void PutText(std::vector<uint8_t>& out, std::string_view text, std::string_view what)
{
    if (text.find('\0') != std::string_view::npos)
        throw std::invalid_argument(std::string(what) + " cannot hold a NUL byte");
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0x00);
}
