// Widening the 32-bit tick count: monotonic across the wrap at 2^32 milliseconds.
#include <gtest/gtest.h>

#include "core/TickCount.h"

TEST(TickCountTest, WidensAcrossWraps)
{
    struct TCase {
        uint64_t Previous;
        uint32_t Now;
        uint64_t Expected;
    };
    const TCase cases[] = {
        {0, 5, 5},
        {0x00000000FFFFFFF0ull, 0xFFFFFFF0u, 0x00000000FFFFFFF0ull}, // the same reading again
        {0x00000000FFFFFFF0ull, 0x10u, 0x0000000100000010ull},       // wrapped
        {0x0000000100000010ull, 0x20u, 0x0000000100000020ull},       // later in the second round
        {0x00000002FFFFFFFFull, 0u, 0x0000000300000000ull},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(WidenTickCount(c.Previous, c.Now), c.Expected) << c.Previous << " " << c.Now;
}
