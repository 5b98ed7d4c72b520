// The bytes of a direct delivery: NetBIOS names, the session request, framing, the SMB requests, name queries.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "ByteCases.h"
#include "TextCases.h"
#include "core/NameQuery.h"
#include "core/NetBiosName.h"
#include "core/SessionService.h"
#include "core/SmbMessage.h"
#include "core/WinPopupMessage.h"

namespace {

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

// "BOB"<03> and "ALICE"<00> written out letter by letter: 'B' 0x42 -> "EC", blank 0x20 -> "CA", 0x03 -> "AD".
const std::string kBobMessenger = std::string("\x20") + "ECEPEC" + Repeat("CA", 12) + "AD" + std::string(1, '\0');
const std::string kAliceWorkstation =
    std::string("\x20") + "EBEMEJEDEF" + Repeat("CA", 10) + "AA" + std::string(1, '\0');
const std::string kZeros27(27, '\0'); // status, flags, flags2, pid-high, signature, reserved, tid, pid, uid, mid

TEST(ByteLiterals, KeepEveryByteUpToTheTerminatingNul)
{
    EXPECT_EQ(B("\x00\x00\x7F\x00"), (TBytes{0x00, 0x00, 0x7F, 0x00}));
    EXPECT_EQ(B("A\0B"), (TBytes{'A', 0x00, 'B'}));
    EXPECT_EQ(B(""), TBytes{});
}

TEST(NetBiosNames, FirstLevelEncodingOfTheProtocolExample)
{
    const TEncodedName bob = EncodeNetBiosName("BOB", kMessengerSuffix);
    EXPECT_EQ(std::vector<uint8_t>(bob.begin(), bob.end()), B(kBobMessenger));
    const TEncodedName alice = EncodeNetBiosName("ALICE", kWorkstationSuffix);
    EXPECT_EQ(std::vector<uint8_t>(alice.begin(), alice.end()), B(kAliceWorkstation));
    // High bytes (an OEM letter) split into nibbles like any other: 0x9E -> 'J' 'O'.
    const TEncodedName oem = EncodeNetBiosName("\x9E", kMessengerSuffix);
    EXPECT_EQ(oem[1], 'J');
    EXPECT_EQ(oem[2], 'O');
    EXPECT_NO_THROW(EncodeNetBiosName(std::string(15, 'X'), 0));
    EXPECT_THROW(EncodeNetBiosName(std::string(16, 'X'), 0), std::invalid_argument);
}

TEST(NetBiosNames, UpperCasedTrimmedAndCutToFifteenCharacters)
{
    ExpectEachText(MessengerName, {
        {"bob-pc", "BOB-PC"},
        {"  muhasebe\r\n", "MUHASEBE"},
        {"şirket", "ŞIRKET"},               // the small i folds to I, as the platform folds names
        {"ığüşöç", "IĞÜŞÖÇ"},               // the dotless i too
        {"İSTANBUL", "İSTANBUL"},           // capitals stay
        {"àé÷ÿšœß", "ÀÉ÷ŸŠŒß"},             // ÷ is no letter, ß has no capital here
        {"pc_1.2-x", "PC_1.2-X"},
        {"zeytin-az", "ZEYTIN-AZ"},
        {"@AZ[`az{", "@AZ[`AZ{"},           // the neighbours of both ranges stay
        {"bilgi-islem-sunucu", "BILGI-ISLEM-SUN"}, // 18 characters, cut after the 15th
        {"\t", ""},
    });
}

TEST(SessionService, RequestCarriesTheCalledAndTheCallingName)
{
    const auto request = SessionRequestPacket(EncodeNetBiosName("BOB", kMessengerSuffix),
        EncodeNetBiosName("ALICE", kWorkstationSuffix));
    EXPECT_EQ(request, B(std::string("\x81\x00\x00\x44", 4)) + B(kBobMessenger) + B(kAliceWorkstation));
}

TEST(SessionService, MessageFramingUsesSeventeenLengthBits)
{
    EXPECT_EQ(SessionMessagePacket(B("abc")), B(std::string("\x00\x00\x00\x03" "abc", 7)));
    EXPECT_EQ(SessionMessagePacket({}), B(std::string(4, '\0')));

    const std::vector<uint8_t> big(0x12345, 0x55);
    const auto framed = SessionMessagePacket(big);
    ASSERT_EQ(framed.size(), big.size() + 4);
    EXPECT_EQ(framed[1], 0x01);
    EXPECT_EQ(framed[2], 0x23);
    EXPECT_EQ(framed[3], 0x45);
    EXPECT_EQ(SessionPayloadLength(std::span<const uint8_t, 4>(framed.data(), 4)), big.size());
    // Flag bits other than the 17th length bit say nothing about the length.
    const uint8_t header[4] = {0x00, 0xFE, 0x01, 0x02};
    EXPECT_EQ(SessionPayloadLength(header), 0x0102u);
    const auto largest = SessionMessagePacket(std::vector<uint8_t>(0x1FFFF));
    EXPECT_EQ(B(std::string(largest.begin(), largest.begin() + 4)), B("\x00\x01\xFF\xFF"));
    EXPECT_THROW(SessionMessagePacket(std::vector<uint8_t>(0x20000)), std::invalid_argument);
}

TEST(SessionService, EachRefusalTheProtocolListsHasItsWordsAndAnyOtherNamesItsByte)
{
    for (uint8_t listed : {0x80, 0x81, 0x82, 0x83, 0x8F})
        EXPECT_EQ(SessionErrorDescription(listed).find("unknown"), std::string::npos) << int(listed);
    EXPECT_EQ(SessionErrorDescription(0x42), "unknown error 0x42");
    EXPECT_EQ(SessionErrorDescription(0x05), "unknown error 0x05");
}

TEST(SmbRequests, StartTextAndEndOfAMultiBlockMessage)
{
    const auto header = [](char command) { return B(std::string("\xFFSMB", 4) + command + kZeros27); };
    EXPECT_EQ(SmbStartMessageRequest("ALICE", "BOB"),
        header('\xD5') + B(std::string("\x00\x0C\x00" "\x04" "ALICE\0" "\x04" "BOB\0", 15)));
    EXPECT_EQ(SmbTextBlockRequest(0x1234, "Hi"),
        header('\xD7') + B(std::string("\x01\x34\x12\x05\x00" "\x01\x02\x00" "Hi", 10)));
    EXPECT_EQ(SmbEndMessageRequest(0x1234), header('\xD6') + B(std::string("\x01\x34\x12\x00\x00", 5)));

    const std::string full(128, 'x');
    const auto block = SmbTextBlockRequest(0, full);
    EXPECT_EQ(block.size(), 32u + 1 + 2 + 2 + 3 + 128);
    EXPECT_EQ(block[35], 131); // ByteCount: the format byte, the length and the text
    EXPECT_EQ(block[38], 128); // the text's own length
    EXPECT_THROW(SmbTextBlockRequest(0, full + "x"), std::invalid_argument);
    EXPECT_THROW(SmbStartMessageRequest(std::string("A\0B", 3), "BOB"), std::invalid_argument);
}

TEST(SmbRequests, CountsFitTheirFields)
{
    EXPECT_NO_THROW(SmbRequest(kSmbTextBlock, {}, std::vector<uint16_t>(255), TBytes(0xFFFF)));
    EXPECT_THROW(SmbRequest(kSmbTextBlock, {}, std::vector<uint16_t>(256), {}), std::invalid_argument);
    EXPECT_THROW(SmbRequest(kSmbTextBlock, {}, {}, TBytes(0x10000)), std::invalid_argument);
    // Both names share the start request's 16-bit byte count: 1 + 32766 + 1 and 1 + 32765 + 1 make 65535.
    EXPECT_NO_THROW(SmbStartMessageRequest(std::string(32766, 'A'), std::string(32765, 'B')));
    EXPECT_THROW(SmbStartMessageRequest(std::string(32766, 'A'), std::string(32766, 'B')), std::invalid_argument);
    EXPECT_THROW(SplitTextBlocks("abc", 0), std::invalid_argument);
    EXPECT_EQ(SplitTextBlocks("abc", 1).size(), 3u);
}

TEST(SmbRequests, TextSplitsIntoBlocksOfAtMost128Bytes)
{
    struct Case {
        size_t Length;
        std::vector<size_t> Blocks;
    } cases[] = {
        {0, {}},
        {1, {1}},
        {127, {127}},
        {128, {128}},
        {129, {128, 1}},
        {256, {128, 128}},
        {1000, {128, 128, 128, 128, 128, 128, 128, 104}},
    };
    for (const auto& c : cases) {
        std::string text;
        for (size_t i = 0; i < c.Length; ++i)
            text += static_cast<char>('a' + i % 26);
        const auto blocks = SplitTextBlocks(text);
        std::vector<size_t> sizes;
        std::string joined;
        for (auto b : blocks) {
            sizes.push_back(b.size());
            joined += b;
        }
        EXPECT_EQ(sizes, c.Blocks) << c.Length;
        EXPECT_EQ(joined, text) << c.Length;
    }
}

TEST(NameQuery, BroadcastQueryForTheMessengerName)
{
    const auto query = NameQueryRequest(0x1234, EncodeNetBiosName("BOB", kMessengerSuffix));
    EXPECT_EQ(query, B(std::string("\x12\x34\x01\x10\x00\x01\x00\x00\x00\x00\x00\x00", 12)) + B(kBobMessenger) +
            B(std::string("\x00\x20\x00\x01", 4)));
}

// An answer with one record for the name: type NB, class IN unless given, a TTL and the address entries.
TBytes Answer(uint16_t id, uint16_t flags, const TBytes& name, const TBytes& addresses, uint16_t type = 0x0020,
    uint16_t recordClass = 0x0001)
{
    TBytes out{static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id), static_cast<uint8_t>(flags >> 8),
        static_cast<uint8_t>(flags), 0, 0, 0, 1, 0, 0, 0, 0};
    out = out + name;
    for (uint16_t word : {type, recordClass, uint16_t{0x0004}, uint16_t{0x93E0}, static_cast<uint16_t>(addresses.size())}) {
        out.push_back(static_cast<uint8_t>(word >> 8));
        out.push_back(static_cast<uint8_t>(word));
    }
    return out + addresses;
}

TEST(NameQuery, AnswersAreMatchedToTheirQueryAndRead)
{
    using TKind = TNameQueryAnswer::TKind;
    const TEncodedName bob = EncodeNetBiosName("BOB", kMessengerSuffix);
    const auto name = B(kBobMessenger);
    const auto one = B("\x00\x00\x7F\x00\x00\x05");
    const auto zeroThenOne = B(std::string(6, '\0')) + one;
    const TBytes pointer{0xC0, 0x0C};
    TBytes noCount = Answer(7, 0x8500, name, one);
    noCount[7] = 0;

    struct Case {
        const char* What;
        TBytes Datagram;
        TKind Kind;
    } cases[] = {
        {"positive", Answer(7, 0x8500, name, one), TKind::Found},
        {"name as a pointer to the question", Answer(7, 0x8500, pointer, one), TKind::Found},
        {"an unset address skipped", Answer(7, 0x8500, name, zeroThenOne), TKind::Found},
        {"negative: name error", Answer(7, 0x8503, name, {}), TKind::Negative},
        {"negative: format error", Answer(7, 0x8501, name, {}), TKind::Negative},
        {"negative: the header alone", TBytes{0, 7, 0x85, 0x03, 0, 0, 0, 0, 0, 0, 0, 0}, TKind::Negative},
        {"no answer record announced", noCount, TKind::Ignored},
        {"a response to an unknown operation", Answer(7, 0x8D00, name, one), TKind::Ignored},
        {"another transaction", Answer(8, 0x8500, name, one), TKind::Ignored},
        {"a query, not a response", Answer(7, 0x0500, name, one), TKind::Ignored},
        {"a registration response", Answer(7, 0xA800, name, one), TKind::Ignored},
        {"another name", Answer(7, 0x8500, B(kAliceWorkstation), one), TKind::Ignored},
        {"a node status record", Answer(7, 0x8500, name, one, 0x0021), TKind::Ignored},
        {"a record of another class", Answer(7, 0x8500, name, one, 0x0020, 0x0003), TKind::Ignored},
        {"partial address entry", Answer(7, 0x8500, name, B("\x00\x00\x7F\x00")), TKind::Ignored},
        {"a partial entry after a whole one", Answer(7, 0x8500, name, one + B("\x00\x00\x7F\x00")), TKind::Ignored},
        {"only unset addresses", Answer(7, 0x8500, name, B(std::string(6, '\0'))), TKind::Ignored},
        {"empty", {}, TKind::Ignored},
    };
    for (const auto& c : cases) {
        const TNameQueryAnswer answer = ParseNameQueryResponse(c.Datagram, 7, bob);
        EXPECT_EQ(answer.Kind, c.Kind) << c.What;
        if (c.Kind == TKind::Found) {
            EXPECT_EQ(answer.Address, (std::array<uint8_t, 4>{127, 0, 0, 5})) << c.What;
        }
    }
    // A datagram cut short anywhere is no answer; each cut is a buffer of its own, so a read past it is caught.
    for (const TBytes& whole : {Answer(7, 0x8500, name, one), Answer(7, 0x8500, pointer, one)}) {
        for (size_t size = 0; size < whole.size(); ++size) {
            const TBytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
            EXPECT_EQ(ParseNameQueryResponse(cut, 7, bob).Kind, TKind::Ignored) << size << " of " << whole.size();
        }
    }
}

// A stand-in for the OEM code page 857: the Turkish letters of code page 1254 get their cp857 bytes.
std::string ToCp857(std::string_view cp1254)
{
    // Pairs of bytes, cp1254 then cp857: Ş ş İ ı Ğ ğ Ü ü Ö ö Ç ç.
    static const std::string_view kTurkish = "\xDE\x9E\xFE\x9F\xDD\x98\xFD\x8D\xD0\xA6\xF0\xA7"
                                             "\xDC\x9A\xFC\x81\xD6\x99\xF6\x94\xC7\x80\xE7\x87";
    std::string out;
    for (const char c : cp1254) {
        char oem = static_cast<unsigned char>(c) < 0x80 ? c : '?';
        for (size_t i = 0; i < kTurkish.size(); i += 2)
            if (kTurkish[i] == c)
                oem = kTurkish[i + 1];
        out += oem;
    }
    return out;
}

TEST(WinPopupMessage, NamesAndTextReachTheOemCodePage)
{
    const TWinPopupMessage m =
        PrepareWinPopupMessage(" çağrı-pc ", "\tşükrü-bilgisayarı\r\n", "Öğle yemeği\r\nsaat 12:30'da €", ToCp857);
    EXPECT_EQ(m.Sender, "\x80" "A\xA6" "RI-PC");
    EXPECT_EQ(m.Recipient, "\x9E\x9A" "KR\x9A" "-BILGISAYA"); // 15 characters
    EXPECT_EQ(m.Text, "\x99\xA7le yeme\xA7i\r\nsaat 12:30'da ?");
    const TWinPopupMessage blank = PrepareWinPopupMessage("", "BOB", "", ToCp857);
    EXPECT_EQ(blank.Text, "");
    EXPECT_EQ(blank.Sender, "");
}

TEST(WinPopupMessage, ANameIsNeverCutInsideATwoByteCharacter)
{
    // An OEM code page that spells every letter above ASCII with two bytes.
    const auto wide = [](std::string_view s) {
        std::string out;
        for (unsigned char c : s) {
            if (c >= 0x80)
                out += '\x81';
            out += static_cast<char>(c);
        }
        return out;
    };
    const TWinPopupMessage m = PrepareWinPopupMessage("AB" + std::string(10, '\xC7'), "X", "", wide);
    EXPECT_EQ(m.Sender.size(), 14u); // A, B and six two-byte letters; a seventh would need bytes 15 and 16
    EXPECT_EQ(m.Sender.substr(12), "\x81\xC7");
}

} // namespace
