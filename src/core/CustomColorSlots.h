// The colour dialog's sixteen custom colour boxes and their text form, lines "ColorA=<hex>" to "ColorP=<hex>".
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kCustomColorSlotCount = 16;
// A box nobody has filled shows white.
constexpr uint32_t kEmptyCustomColorSlot = 0xFFFFFF;

// Colour values laid out like TColor: red in the low byte.
using TCustomColorSlots = std::array<uint32_t, kCustomColorSlotCount>;

// Each line "ColorX=<hex>" (X from A to P, either case) fills box X with the value's low 24 bits; boxes that no
// line names stay white, lines with other names are left out. A line without "=" or with a value that is not
// hexadecimal raises EConvertError.
TCustomColorSlots CustomColorSlotsFromLines(const std::vector<std::string>& lines);

// All sixteen boxes as lines "ColorA=" to "ColorP=" with six upper-case hexadecimal digits each.
std::vector<std::string> CustomColorLinesFromSlots(const TCustomColorSlots& slots);
