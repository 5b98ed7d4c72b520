// A 32-bit millisecond tick count widened to 64 bits, for systems whose kernel offers only the 32-bit one.
#pragma once
#include <cstdint>

// The 64-bit count for a fresh 32-bit reading `now`, given the previous 64-bit count: a reading below the
// previous one's low half means the 32-bit count wrapped (every 49.7 days) since. Readings must come at least
// once per wrap period for the result to stay right.
constexpr uint64_t WidenTickCount(uint64_t previous, uint32_t now)
{
    uint64_t wraps = previous >> 32;
    if (now < static_cast<uint32_t>(previous))
        ++wraps;
    return wraps << 32 | now;
}
