// Custom colour boxes to and from their text lines.
#include "core/CustomColorSlots.h"

#include "core/ColorItems.h"
#include "core/Text.h"

namespace {

constexpr char kSlotPrefix[] = "Color";
constexpr size_t kSlotPrefixLength = sizeof(kSlotPrefix) - 1;

// The box a line's name stands for, or -1.
int SlotOfName(const std::string& name)
{
    if (name.size() != kSlotPrefixLength + 1 || !SameTextAscii(name.substr(0, kSlotPrefixLength), kSlotPrefix))
        return -1;
    const char letter = AsciiUpper(name.back());
    if (letter < 'A' || letter >= 'A' + kCustomColorSlotCount)
        return -1;
    return letter - 'A';
}

}  // namespace

TCustomColorSlots CustomColorSlotsFromLines(const std::vector<std::string>& lines)
{
    TCustomColorSlots slots;
    slots.fill(kEmptyCustomColorSlot);
    // The normalised lines hold exactly six hexadecimal digits after the "=", and bad lines raise there.
    for (const std::string& line : NormaliseCustomColors(lines)) {
        const size_t equals = line.find('=');
        const int slot = SlotOfName(line.substr(0, equals));
        if (slot >= 0)
            slots[slot] = static_cast<uint32_t>(std::stoul(line.substr(equals + 1), nullptr, 16));
    }
    return slots;
}

std::vector<std::string> CustomColorLinesFromSlots(const TCustomColorSlots& slots)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::vector<std::string> lines;
    lines.reserve(kCustomColorSlotCount);
    for (int i = 0; i < kCustomColorSlotCount; ++i) {
        std::string line = std::string(kSlotPrefix) + static_cast<char>('A' + i) + "=";
        for (int shift = 20; shift >= 0; shift -= 4)
            line += kHex[(slots[i] >> shift) & 0xF];
        lines.push_back(std::move(line));
    }
    return lines;
}
