// Hexadecimal digits written by the program: colour texts, custom colour lines and the delivery's failure texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/HexText.h"
#include "core/SessionService.h"
#include "core/SmbMessage.h"

TEST(HexText, DigitsAreUpperCaseWithLeadingZerosAndCutToTheirCount)
{
    const struct {
        uint32_t Value;
        int Digits;
        const char* Expected;
    } cases[] = {
        {0x0, 2, "00"},
        {0xAB, 2, "AB"},
        {0x1AB, 2, "AB"},
        {0x8080FF, 6, "8080FF"},
        {0xFF, 6, "0000FF"},
        {0xC000022A, 8, "C000022A"},
        {0xFFFFFFFF, 8, "FFFFFFFF"},
        {0x5, 1, "5"},
        {0x5, 0, "5"},
        {0x12345678, 12, "12345678"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexDigits(c.Value, c.Digits), c.Expected) << std::hex << c.Value << " in " << c.Digits;
}

TEST(HexText, FailureTextsOfTheDeliveryShowTheirCodes)
{
    TSmbReply nt;
    nt.NtStatus = true;
    nt.Status = 0xC0000022;
    EXPECT_EQ(SmbStatusText(nt), "NT status 0xC0000022");
    TSmbReply dos;
    dos.ErrorClass = 2;
    dos.ErrorCode = 65535;
    EXPECT_EQ(SmbStatusText(dos), "DOS error 2/65535");
    EXPECT_EQ(InterpretSessionReply(0x7E, {}).Description, "unexpected session packet type 0x7E");
}
