// Custom colour boxes to and from their text lines.
#include "core/CustomColorSlots.h"

#include "core/ColorItems.h"
#include "core/HexText.h"
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
    std::vector<std::string> lines;
    lines.reserve(kCustomColorSlotCount);
    for (int i = 0; i < kCustomColorSlotCount; ++i) {
        lines.push_back(std::string(kSlotPrefix) + static_cast<char>('A' + i) + "=" + HexDigits(slots[i], 6));
    }
    return lines;
}
