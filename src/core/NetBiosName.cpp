// NetBIOS name folding, cutting and first-level encoding.
#include "core/NetBiosName.h"

#include <stdexcept>

#include "core/Text.h"

namespace {

char UpperNameChar(char c)
{
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z')
        return static_cast<char>(b - 'a' + 'A');
    switch (b) {
    case 0xFD: // ı has no capital of its own in a name: the platform folds it to I
        return 'I';
    case 0x9A: // š
    case 0x9C: // œ
        return static_cast<char>(b - 0x10);
    case 0xFF: // ÿ
        return static_cast<char>(0x9F);
    case 0xF7: // ÷ is not a letter
        return c;
    default:
        break;
    }
    if (b >= 0xE0 && b <= 0xFE) // à..þ, ğ and ş included, sit 0x20 above their capitals
        return static_cast<char>(b - 0x20);
    return c;
}

} // namespace

std::string NetBiosUpperCase(std::string_view cp1254)
{
    std::string out(cp1254);
    for (char& c : out)
        c = UpperNameChar(c);
    return out;
}

std::string MessengerName(std::string_view cp1254)
{
    std::string name = NetBiosUpperCase(Trim(cp1254));
    if (name.size() > kNetBiosNameLength)
        name.resize(kNetBiosNameLength);
    return name;
}

TEncodedName EncodeNetBiosName(std::string_view name, uint8_t suffix)
{
    if (name.size() > kNetBiosNameLength)
        throw std::invalid_argument("a NetBIOS name has at most 15 bytes");
    std::array<uint8_t, 16> raw{};
    raw.fill(' ');
    for (size_t i = 0; i < name.size(); ++i)
        raw[i] = static_cast<uint8_t>(name[i]);
    raw[15] = suffix;

    TEncodedName encoded{};
    encoded[0] = 0x20;
    for (size_t i = 0; i < raw.size(); ++i) {
        encoded[1 + 2 * i] = static_cast<uint8_t>('A' + (raw[i] >> 4));
        encoded[2 + 2 * i] = static_cast<uint8_t>('A' + (raw[i] & 0x0F));
    }
    encoded[33] = 0x00;
    return encoded;
}
