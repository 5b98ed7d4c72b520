// Colour texts: the table of colour identifiers and the conversions between colour values and their texts.
#pragma once
#include <span>
#include <string>
#include <string_view>

#include "core/Color.h"

struct TColorIdent {
    std::string_view Name;
    TColor Value;
};

// The 42 identifiers in search order: the 16 standard colours, the 25 system colours (codes 0 to 24), clNone.
std::span<const TColorIdent> ColorIdents();

// Looks an identifier up, letters a-z matching A-Z; false when the text is no identifier.
bool IdentToColor(std::string_view ident, TColor& color);

// The first identifier whose value equals the colour; false when there is none.
bool ColorToIdent(TColor color, std::string& ident);

// An identifier, or a 32-bit integer: decimal with an optional sign, or hexadecimal after "$", "x" or "0x".
// Raises EConvertError "'<text>' is not a valid integer value" for anything else.
TColor StringToColor(std::string_view text);

// The colour's identifier, else "$" and eight upper-case hexadecimal digits of its 32-bit pattern.
std::string ColorToString(TColor color);
