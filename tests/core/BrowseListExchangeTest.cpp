// Reading a browse master's list: the remote administration bytes, transaction pieces and the whole conversation
// against a scripted master, down to each way it can fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/BrowseListExchange.h"
#include "core/RapServerEnum.h"
#include "core/SessionService.h"
#include "core/SmbSession.h"

namespace {

using TBytes = std::vector<uint8_t>;

TBytes B(const std::string& s) { return {s.begin(), s.end()}; }

TBytes operator+(TBytes a, const TBytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void PutWord(TBytes& out, uint16_t w)
{
    out.push_back(static_cast<uint8_t>(w));
    out.push_back(static_cast<uint8_t>(w >> 8));
}

uint16_t WordAt(const TBytes& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

TBytes Record(const std::string& name)
{
    TBytes r = B(name);
    r.resize(kServerInfo0Size, 0);
    return r;
}

TBytes RapParameters(uint16_t status, uint16_t returned, uint16_t available)
{
    TBytes p;
    for (uint16_t w : {status, uint16_t{0}, returned, available})
        PutWord(p, w);
    return p;
}

// An SMB reply with the reply flag, a DOS status, the ids, words and data.
TBytes Reply(uint8_t command, uint32_t status, const std::vector<uint16_t>& words, const TBytes& data = {},
    uint16_t tid = 0, uint16_t uid = 0)
{
    TBytes smb{0xFF, 'S', 'M', 'B', command};
    for (int i = 0; i < 4; ++i)
        smb.push_back(static_cast<uint8_t>(status >> (8 * i)));
    smb.push_back(0x80);
    smb.resize(24, 0);
    PutWord(smb, tid);
    PutWord(smb, 0);
    PutWord(smb, uid);
    PutWord(smb, 0);
    smb.push_back(static_cast<uint8_t>(words.size()));
    for (uint16_t w : words)
        PutWord(smb, w);
    PutWord(smb, static_cast<uint16_t>(data.size()));
    smb.insert(smb.end(), data.begin(), data.end());
    return smb;
}

TEST(RapServerEnum, RequestParametersAsTheProtocolSpellsThem)
{
    const TBytes enum2 = B(std::string("\x68\x00WrLehDz\0B16\0\x00\x00\xFF\xFF\xFF\xFF\xFF\xFFOFIS\0", 27));
    EXPECT_EQ(RapServerEnumParameters("OFIS", 0xFFFF), enum2);
    const TBytes enum3 = B(std::string("\xD7\x00WrLehDzz\0B16\0\x00\x00\x00\x10\xFF\xFF\xFF\xFFOFIS\0PC07\0", 33));
    EXPECT_EQ(RapServerEnumParameters("OFIS", 0x1000, "PC07"), enum3);
    EXPECT_THROW(RapServerEnumParameters(std::string("OF\0IS", 5), 16), std::invalid_argument);
}

TEST(RapServerEnum, RepliesAreReadOnlyAsFarAsTheirBytesGo)
{
    const TBytes twoRecords = [] {
        TBytes d = Record("PC01");
        const TBytes r = Record("MUHASEBE");
        d.insert(d.end(), r.begin(), r.end());
        return d;
    }();
    struct Case {
        const char* What;
        TBytes Parameters;
        TBytes Data;
        std::vector<std::string> Names; // expected when read
        int Throws;                     // 0 none, 1 ERapError, 2 another protocol error
        uint16_t Status;
    } cases[] = {
        {"two records", RapParameters(0, 2, 2), twoRecords, {"PC01", "MUHASEBE"}, 0, 0},
        {"more data", RapParameters(234, 1, 9), Record("PC01"), {"PC01"}, 0, 234},
        {"an empty list", RapParameters(0, 0, 0), {}, {}, 0, 0},
        {"an empty name is left out", RapParameters(0, 2, 2), Record("") + Record("PC02"), {"PC02"}, 0, 0},
        {"a name filling all 16 bytes", RapParameters(0, 1, 1), B("ABCDEFGHIJKLMNOP"), {"ABCDEFGHIJKLMNOP"}, 0, 0},
        {"no browser servers", RapParameters(6118, 0, 0), {}, {}, 1, 6118},
        {"access denied", RapParameters(5, 0, 0), {}, {}, 1, 5},
        {"more records than bytes", RapParameters(0, 3, 3), twoRecords, {}, 2, 0},
        {"a record cut short", RapParameters(0, 1, 1), B("PC01"), {}, 2, 0},
        {"parameters cut short", TBytes{0, 0, 0, 0, 1, 0}, Record("PC01"), {}, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        if (c.Throws == 0) {
            const TRapServerList list = ReadRapServerList(c.Parameters, c.Data);
            EXPECT_EQ(list.Names, c.Names);
            EXPECT_EQ(list.Status, c.Status);
        } else if (c.Throws == 1) {
            try {
                ReadRapServerList(c.Parameters, c.Data);
                ADD_FAILURE() << "no error";
            } catch (const ERapError& e) {
                EXPECT_EQ(e.Status(), c.Status);
            }
        } else {
            EXPECT_THROW(ReadRapServerList(c.Parameters, c.Data), EProtocolError);
        }
    }
}

// A transaction reply piece: the parameters and data slices at their displacements.
TBytes Piece(uint16_t totalParameters, uint16_t totalData, const TBytes& parameters, uint16_t parameterDisplacement,
    const TBytes& data, uint16_t dataDisplacement, int offsetShift = 0)
{
    const uint16_t parameterOffset = 32 + 1 + 20 + 2;
    const uint16_t dataOffset = static_cast<uint16_t>(parameterOffset + parameters.size());
    TBytes bytes = parameters;
    bytes.insert(bytes.end(), data.begin(), data.end());
    return Reply(kSmbTransaction, 0,
        {totalParameters, totalData, 0, static_cast<uint16_t>(parameters.size()),
            static_cast<uint16_t>(parameterOffset + offsetShift), parameterDisplacement,
            static_cast<uint16_t>(data.size()), static_cast<uint16_t>(dataOffset + offsetShift), dataDisplacement, 0},
        bytes);
}

TEST(SmbTransaction, PiecesAreJoinedAndEveryOffsetIsChecked)
{
    const TBytes parameters = RapParameters(0, 2, 2);
    TTransactionReply joined;
    const TBytes first = Piece(8, 32, parameters, 0, Record("PC01"), 0);
    joined.Add(first, ParseSmbReply(first, kSmbTransaction));
    EXPECT_FALSE(joined.Complete());
    const TBytes second = Piece(8, 32, {}, 8, Record("PC02"), 16);
    joined.Add(second, ParseSmbReply(second, kSmbTransaction));
    ASSERT_TRUE(joined.Complete());
    EXPECT_EQ(ReadRapServerList(joined.Parameters(), joined.Data()).Names, (std::vector<std::string>{"PC01", "PC02"}));

    struct Case {
        const char* What;
        TBytes Smb;
    } bad[] = {
        {"data beyond the reply", Piece(8, 16, parameters, 0, Record("PC01"), 0, 4)},
        {"data beyond its total", Piece(8, 8, parameters, 0, Record("PC01"), 0)},
        {"a displacement beyond the total", Piece(8, 32, parameters, 0, Record("PC01"), 20)},
        {"too few words", Reply(kSmbTransaction, 0, {8, 0, 0})},
    };
    for (const Case& c : bad) {
        TTransactionReply reply;
        EXPECT_THROW(reply.Add(c.Smb, ParseSmbReply(c.Smb, kSmbTransaction)), EProtocolError) << c.What;
    }
    TTransactionReply growing;
    const TBytes small = Piece(8, 16, parameters, 0, {}, 0);
    growing.Add(small, ParseSmbReply(small, kSmbTransaction));
    const TBytes larger = Piece(8, 32, {}, 8, Record("PC01"), 0);
    EXPECT_THROW(growing.Add(larger, ParseSmbReply(larger, kSmbTransaction)), EProtocolError);
}

// A browse master as the exchange meets it, answering each request the way a Samba master does.
struct TScriptedMaster {
    enum class TBreak { None, SessionRefused, NoDialect, SessionDenied, TreeDenied, NoList, BadRecords };
    std::vector<std::string> List;
    TBreak Break = TBreak::None;
    size_t PieceData = 0; // split a list reply into pieces of this many data bytes; 0 for one piece
    bool IgnoresFirstName = false;
    std::vector<std::string> FirstNamesAsked;
    static constexpr uint16_t kUid = 0x0064;
    static constexpr uint16_t kTid = 0x0801;

    std::vector<TBytes> Answer(const TBytes& packet)
    {
        if (packet[0] == kSessionRequest)
            return {Break == TBreak::SessionRefused ? TBytes{kNegativeSessionResponse, 0, 0, 1, 0x82}
                                                    : TBytes{kPositiveSessionResponse, 0, 0, 0}};
        const TBytes smb(packet.begin() + 4, packet.end());
        switch (smb[4]) {
        case kSmbNegotiate: {
            std::vector<uint16_t> words(17, 0);
            words[0] = Break == TBreak::NoDialect ? 0xFFFF : 0;
            return {Frame(Reply(kSmbNegotiate, 0, Break == TBreak::NoDialect ? std::vector<uint16_t>{0xFFFF} : words))};
        }
        case kSmbSessionSetup:
            return {Frame(Reply(kSmbSessionSetup, Break == TBreak::SessionDenied ? 0x00050001 : 0, {0xFF, 0, 1}, {}, 0,
                kUid))};
        case kSmbTreeConnect:
            EXPECT_EQ(WordAt(smb, 28), kUid) << "tree connect without the session's uid";
            return {Frame(Reply(kSmbTreeConnect, Break == TBreak::TreeDenied ? 0x00050001 : 0, {0xFF, 0, 1}, {}, kTid,
                kUid))};
        case kSmbTransaction:
            EXPECT_EQ(WordAt(smb, 24), kTid) << "transaction outside the IPC$ tree";
            return ListReply(smb);
        default:
            ADD_FAILURE() << "unexpected command " << int(smb[4]);
            return {};
        }
    }

    static TBytes Frame(const TBytes& smb)
    {
        TBytes packet{kSessionMessage, 0, static_cast<uint8_t>(smb.size() >> 8), static_cast<uint8_t>(smb.size())};
        packet.insert(packet.end(), smb.begin(), smb.end());
        return packet;
    }

    std::vector<TBytes> ListReply(const TBytes& smb)
    {
        const size_t offset = WordAt(smb, 33 + 2 * 10);
        const TBytes p(smb.begin() + static_cast<std::ptrdiff_t>(offset),
            smb.begin() + static_cast<std::ptrdiff_t>(offset + WordAt(smb, 33 + 2 * 9)));
        const bool enum3 = WordAt(p, 0) == 215;
        size_t at = 2;
        at = std::find(p.begin() + at, p.end(), 0) - p.begin() + 1; // parameter descriptor
        at = std::find(p.begin() + at, p.end(), 0) - p.begin() + 1; // data descriptor
        const size_t bufferSize = WordAt(p, at + 2);
        at += 8;
        const size_t end = std::find(p.begin() + at, p.end(), 0) - p.begin();
        EXPECT_EQ(std::string(p.begin() + at, p.begin() + end), "OFIS");
        size_t first = 0;
        if (enum3) {
            const std::string from(p.begin() + end + 1, std::find(p.begin() + end + 1, p.end(), 0));
            FirstNamesAsked.push_back(from);
            if (!IgnoresFirstName)
                first = std::find(List.begin(), List.end(), from) - List.begin();
        }
        if (Break == TBreak::NoList)
            return {Frame(Piece(8, 0, RapParameters(6118, 0, 0), 0, {}, 0))};
        const size_t count = std::min(List.size() - first, bufferSize / kServerInfo0Size);
        TBytes data;
        for (size_t i = first; i < first + count; ++i) {
            const TBytes r = Record(List[i]);
            data.insert(data.end(), r.begin(), r.end());
        }
        const uint16_t returned = static_cast<uint16_t>(Break == TBreak::BadRecords ? count + 1 : count);
        const TBytes parameters = RapParameters(first + count < List.size() ? 234 : 0, returned,
            static_cast<uint16_t>(List.size()));
        const auto total = static_cast<uint16_t>(data.size());
        if (PieceData == 0 || data.size() <= PieceData)
            return {Frame(Piece(8, total, parameters, 0, data, 0))};
        std::vector<TBytes> pieces;
        for (size_t d = 0; d < data.size(); d += PieceData) {
            const TBytes slice(data.begin() + d, data.begin() + std::min(data.size(), d + PieceData));
            pieces.push_back(Frame(Piece(8, total, d == 0 ? parameters : TBytes{}, d == 0 ? 0 : 8, slice,
                static_cast<uint16_t>(d))));
        }
        return pieces;
    }
};

// Carries the exchange to the master and back until it ends; at most a hundred requests.
void Converse(TBrowseListExchange& exchange, TScriptedMaster& master)
{
    for (int turn = 0; turn < 100 && !exchange.Finished(); ++turn) {
        const TBytes request = exchange.TakeRequest();
        ASSERT_FALSE(request.empty()) << "the exchange waits with nothing sent";
        for (const TBytes& packet : master.Answer(request))
            exchange.Accept(packet[0], std::span<const uint8_t>(packet).subspan(4));
    }
    ASSERT_TRUE(exchange.Finished());
}

std::vector<std::string> Computers(size_t n)
{
    std::vector<std::string> names;
    for (size_t i = 0; i < n; ++i)
        names.push_back("PC" + std::to_string(100 + i));
    return names;
}

TEST(BrowseListExchange, ReadsTheWholeListInTheMastersOrder)
{
    struct Case {
        const char* What;
        size_t Computers;
        uint16_t ReceiveBuffer;
        size_t PieceData;
        bool IgnoresFirstName;
        size_t Continuations;
    } cases[] = {
        {"one reply", 3, 0xFFFF, 0, false, 0},
        {"an empty workgroup", 0, 0xFFFF, 0, false, 0},
        {"one reply in pieces", 40, 0xFFFF, 100, false, 0},
        {"continued from the last name", 7, 3 * kServerInfo0Size, 0, false, 3},
        {"continued, in pieces", 7, 4 * kServerInfo0Size, 20, false, 2},
        {"a master that starts over", 5, 2 * kServerInfo0Size, 0, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TScriptedMaster master;
        master.List = Computers(c.Computers);
        master.PieceData = c.PieceData;
        master.IgnoresFirstName = c.IgnoresFirstName;
        TBrowseListExchange exchange({"ALICE", "OFIS", c.ReceiveBuffer});
        Converse(exchange, master);
        ASSERT_TRUE(exchange.Succeeded()) << exchange.Problem();
        // A master that ignores where to go on repeats its first page: nothing new, so the list ends there.
        const size_t expected = c.IgnoresFirstName ? c.ReceiveBuffer / kServerInfo0Size : c.Computers;
        EXPECT_EQ(exchange.Names(), std::vector<std::string>(master.List.begin(), master.List.begin() + expected));
        EXPECT_EQ(master.FirstNamesAsked.size(), c.Continuations);
    }
}

TEST(BrowseListExchange, EveryRefusalEndsTheExchangeWithAReason)
{
    using TBreak = TScriptedMaster::TBreak;
    for (TBreak b : {TBreak::SessionRefused, TBreak::NoDialect, TBreak::SessionDenied, TBreak::TreeDenied,
             TBreak::NoList, TBreak::BadRecords}) {
        SCOPED_TRACE(static_cast<int>(b));
        TScriptedMaster master;
        master.List = Computers(2);
        master.Break = b;
        TBrowseListExchange exchange({"ALICE", "OFIS"});
        Converse(exchange, master);
        EXPECT_FALSE(exchange.Succeeded());
        EXPECT_FALSE(exchange.Problem().empty());
        EXPECT_TRUE(exchange.TakeRequest().empty());
    }
    TBrowseListExchange exchange({"ALICE", "OFIS"});
    exchange.TakeRequest();
    exchange.Accept(kPositiveSessionResponse, {});
    exchange.TakeRequest();
    exchange.Accept(kSessionMessage, TBytes{0xFF, 'S', 'M', 'B'});
    EXPECT_TRUE(exchange.Finished());
    EXPECT_FALSE(exchange.Succeeded());
}

TEST(BrowseListExchange, RequestsCarryTheSessionAndTreeItWasGiven)
{
    TBrowseListExchange exchange({"ALICE", "OFIS"});
    const TBytes session = exchange.TakeRequest();
    EXPECT_EQ(TBytes(session.begin() + 4, session.begin() + 38), B(std::string(" CKFDENECFDEFFCFGEFFCCACACACACACA", 33)) + TBytes{0});
    TScriptedMaster master;
    master.List = {"PC01"};
    exchange.Accept(kPositiveSessionResponse, {});
    const TBytes negotiate = exchange.TakeRequest();
    EXPECT_EQ(TBytes(negotiate.begin() + 4 + 35, negotiate.end()), B(std::string("\x02NT LM 0.12\0", 12)));
}

} // namespace
