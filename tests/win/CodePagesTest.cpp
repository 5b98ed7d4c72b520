// The one conversion between code pages and UTF-16, against the Turkish code pages the program meets.
#include <gtest/gtest.h>

#include "toolkit/CodePages.h"

namespace {

TEST(CodePages, TurkishTextsCrossBetweenCodePagesAndUtf16)
{
    ASSERT_EQ(GetACP(), 1254u) << "the tests expect the Turkish code page";
    // "Şükrü ığdır" in code page 1254 bytes, as UTF-16 code units and in code page 857 bytes.
    const std::string cp1254 = "\xDE\xFCkr\xFC \xFD\xF0" "d\xFDr";
    const std::wstring utf16 = L"\u015E\u00FCkr\u00FC \u0131\u011Fd\u0131r";
    EXPECT_EQ(ToWide(cp1254), utf16);
    EXPECT_EQ(FromWide(utf16), cp1254);
    EXPECT_EQ(FromWide(utf16, 857), "\x9E\x81kr\x81 \x8D\xA7" "d\x8Dr");
    EXPECT_EQ(ToWide("\x9E\x81kr\x81", 857), L"\u015E\u00FCkr\u00FC");

    EXPECT_EQ(ToWide(""), std::wstring());
    EXPECT_EQ(FromWide(L""), std::string());
    EXPECT_EQ(FromWideField(nullptr), "");
    EXPECT_EQ(FromWideField(L"\u0130ZM\u0130R"), "\xDDZM\xDDR");
}

} // namespace
