// Reading a browse master's list: the remote administration bytes, transaction pieces and the whole conversation
// against a scripted master, down to each way it can fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "ByteCases.h"
#include "core/BrowseListExchange.h"
#include "core/RapServerEnum.h"
#include "core/SessionService.h"
#include "core/SmbSession.h"

namespace {

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

// The status of a reply: a DOS error class and code (Dos) or an NT status (Nt).
struct TStatus {
    uint32_t Value = 0;
    bool Nt = false;
};
TStatus Dos(uint8_t errorClass, uint16_t code) { return {errorClass | (static_cast<uint32_t>(code) << 16), false}; }
TStatus Nt(uint32_t status) { return {status, true}; }

// An SMB reply with the reply flag, the status, the ids, words and data.
TBytes Reply(uint8_t command, TStatus status, const std::vector<uint16_t>& words, const TBytes& data = {},
    uint16_t tid = 0, uint16_t uid = 0)
{
    TBytes smb{0xFF, 'S', 'M', 'B', command};
    for (int i = 0; i < 4; ++i)
        smb.push_back(static_cast<uint8_t>(status.Value >> (8 * i)));
    smb.push_back(0x80);
    PutWord(smb, status.Nt ? 0x4000 : 0x0000);
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
    const TBytes domains = B(std::string("\x68\x00WrLehDz\0B16\0\x00\x00\xFF\xFF\x00\x00\x00\x80OFIS\0", 27));
    EXPECT_EQ(RapServerEnumParameters("OFIS", 0xFFFF, "", 0x80000000), domains);
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
        {"a one-letter name", RapParameters(0, 1, 1), Record("X"), {"X"}, 0, 0},
        {"no browser servers", RapParameters(6118, 0, 0), {}, {}, 1, 6118},
        {"access denied", RapParameters(5, 0, 0), {}, {}, 1, 5},
        {"more records than bytes", RapParameters(0, 3, 3), twoRecords, {}, 2, 0},
        {"a record cut short", RapParameters(0, 1, 1), B("PC01"), {}, 2, 0},
        {"parameters cut short", TBytes{0, 0, 0, 0, 1, 0}, Record("PC01"), {}, 2, 0},
        {"the last parameter cut in half", TBytes{0, 0, 0, 0, 1, 0, 1}, Record("PC01"), {}, 2, 0},
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
    const TBytes& data, uint16_t dataDisplacement, int offsetShift = 0, TStatus status = {})
{
    const uint16_t parameterOffset = 32 + 1 + 20 + 2;
    const uint16_t dataOffset = static_cast<uint16_t>(parameterOffset + parameters.size());
    TBytes bytes = parameters;
    bytes.insert(bytes.end(), data.begin(), data.end());
    return Reply(kSmbTransaction, status,
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

    // Pieces of one byte; a piece without parameters may point them anywhere.
    TTransactionReply bytes;
    for (uint16_t at : {0, 1}) {
        const TBytes piece = Reply(kSmbTransaction, {}, {0, 2, 0, 0, 0, 0, 1, 55, at, 0}, at == 0 ? B("A") : B("B"));
        bytes.Add(piece, ParseSmbReply(piece, kSmbTransaction));
    }
    ASSERT_TRUE(bytes.Complete());
    EXPECT_EQ(bytes.Data(), B("AB"));

    // Totals may shrink, but the reply is whole only when every byte below them came.
    TTransactionReply shrunk;
    for (const TBytes& piece : {Piece(8, 32, parameters, 0, Record("PC02"), 16), Piece(8, 16, {}, 8, {}, 0)})
        shrunk.Add(piece, ParseSmbReply(piece, kSmbTransaction));
    EXPECT_FALSE(shrunk.Complete());

    // Each sequence is taken up to its last piece, which is refused.
    struct Case {
        const char* What;
        std::vector<TBytes> Pieces;
    } bad[] = {
        {"data beyond the reply", {Piece(8, 16, parameters, 0, Record("PC01"), 0, 4)}},
        {"offsets inside the header", {Piece(8, 16, parameters, 0, Record("PC01"), 0, -51)}},
        {"offsets far beyond the reply", {Piece(8, 16, parameters, 0, Record("PC01"), 0, 0xF000)}},
        {"data beyond its total", {Piece(8, 8, parameters, 0, Record("PC01"), 0)}},
        {"a displacement beyond the total", {Piece(8, 32, parameters, 0, Record("PC01"), 20)}},
        {"a displacement far beyond the total", {Piece(8, 32, parameters, 0, Record("PC01"), 40)}},
        {"too few words", {Reply(kSmbTransaction, {}, {8, 0, 0})}},
        {"one word short", {Reply(kSmbTransaction, {}, {0, 0, 0, 0, 55, 0, 0, 55, 0})}},
        {"totals that grow", {Piece(8, 16, parameters, 0, {}, 0), Piece(8, 32, {}, 8, Record("PC01"), 0)}},
        {"a parameter total that grows", {Piece(4, 16, TBytes(4), 0, {}, 0), Piece(8, 16, TBytes(4), 4, {}, 0)}},
        {"data sent again", {first, Piece(8, 32, {}, 8, Record("PC01"), 0)}},
        {"parameters sent again", {first, Piece(8, 32, parameters, 0, Record("PC02"), 16)}},
    };
    for (const Case& c : bad) {
        TTransactionReply reply;
        for (size_t i = 0; i + 1 < c.Pieces.size(); ++i)
            reply.Add(c.Pieces[i], ParseSmbReply(c.Pieces[i], kSmbTransaction));
        EXPECT_THROW(reply.Add(c.Pieces.back(), ParseSmbReply(c.Pieces.back(), kSmbTransaction)), EProtocolError)
            << c.What;
    }
}

TEST(SmbTransaction, TheRequestsTextsAndParametersFitTheirFields)
{
    const size_t room = 0xFFFF - (32 + 1 + 2 * 14 + 2 + sizeof("\\PIPE\\LANMAN"));
    EXPECT_NO_THROW(SmbTransactionRequest({}, "\\PIPE\\LANMAN", TBytes(room), 8, 0xFFFF));
    EXPECT_THROW(SmbTransactionRequest({}, "\\PIPE\\LANMAN", TBytes(room + 1), 8, 0xFFFF), std::invalid_argument);
    EXPECT_THROW(SmbTransactionRequest({}, std::string("\\PIPE\0", 6), {}, 8, 0xFFFF), std::invalid_argument);
    EXPECT_THROW(SmbTreeConnectRequest({}, std::string("\\\\A\0B\\IPC$", 10)), std::invalid_argument);
}

// A negotiate reply of NT LM 0.12 laid out as Samba sends it: dialect index, security mode, the multiplex and
// circuit limits, the largest SMB taken, the largest raw read, the session key, capabilities, time, zone and the
// challenge's length; the data holds the challenge and the domain.
TBytes NtLmNegotiateReply(uint16_t dialect, uint32_t maxBufferSize, uint32_t sessionKey, TStatus status = {})
{
    TBytes fields;
    const auto put = [&](uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            fields.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    put(dialect, 2);
    put(0x03, 1); // user-level security, encrypted passwords
    put(50, 2);
    put(1, 2);
    put(maxBufferSize, 4);
    put(0x10000, 4);
    put(sessionKey, 4);
    put(0x0000E3FD, 4);
    put(0x01D9F3A2B4C5D6E7, 8);
    put(0xFF4C, 2); // 180 minutes east of UTC
    put(8, 1);
    std::vector<uint16_t> words;
    for (size_t i = 0; i < fields.size(); i += 2)
        words.push_back(WordAt(fields, i));
    return Reply(kSmbNegotiate, status, words, B("\x11\x22\x33\x44\x55\x66\x77\x88" "OFIS\0"));
}

uint32_t DwordAt(const TBytes& b, size_t at) { return WordAt(b, at) | (static_cast<uint32_t>(WordAt(b, at + 2)) << 16); }

TEST(SmbNegotiate, OnlyAnNtLmReplyIsTakenAndItsFieldsAreReadWhereTheyLie)
{
    const TSmbNegotiated samba = ReadNegotiateReply(ParseSmbReply(NtLmNegotiateReply(0, 16644, 0x1A2B3C4D), kSmbNegotiate));
    EXPECT_EQ(samba.MaxBufferSize, 16644u);
    EXPECT_EQ(samba.SessionKey, 0x1A2B3C4Du);

    struct Case {
        const char* What;
        TBytes Smb;
    } refused[] = {
        {"none of the dialects offered", Reply(kSmbNegotiate, {}, {0xFFFF})},
        {"a dialect we did not offer", NtLmNegotiateReply(1, 16644, 1)},
        {"the layout of an older dialect", Reply(kSmbNegotiate, {}, std::vector<uint16_t>(13, 0))},
        {"the core dialect's one word", Reply(kSmbNegotiate, {}, {0})},
        {"no words", Reply(kSmbNegotiate, {}, {})},
        {"an error status", NtLmNegotiateReply(0, 16644, 1, Nt(0xC0000001))},
    };
    for (const Case& c : refused)
        EXPECT_THROW(ReadNegotiateReply(ParseSmbReply(c.Smb, kSmbNegotiate)), EProtocolError) << c.What;
}

// The NUL-terminated text at `at`.
std::string TextAt(const TBytes& b, size_t at)
{
    if (at >= b.size())
        return "(beyond the request)";
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(at), std::find(b.begin() + at, b.end(), 0));
}

// A browse master as the exchange meets it: it reads each request the way a Samba master does and answers it.
struct TScriptedMaster {
    enum class TBreak { None, SessionRefused, NoDialect, SessionDenied, TreeDenied, NoList, BadRecords, OtherPacketKind };
    std::vector<std::string> List;
    TBreak Break = TBreak::None;
    TStatus ListStatus;      // of every piece of the list's reply
    size_t PieceData = 0;    // split a list reply into pieces of this many data bytes; 0 for one piece
    bool IgnoresFirstName = false;
    bool KeepAlives = false; // a keep-alive before every answer
    bool TreeClosed = false;
    std::vector<std::string> FirstNamesAsked;
    static constexpr uint16_t kUid = 0x0064;
    static constexpr uint16_t kTid = 0x0801;
    static constexpr uint32_t kSessionKey = 0x1A2B3C4D;

    std::vector<TBytes> Answer(const TBytes& packet)
    {
        std::vector<TBytes> answers = AnswerTo(packet);
        if (KeepAlives && !answers.empty())
            answers.insert(answers.begin(), TBytes{kSessionKeepAlive, 0, 0, 0});
        return answers;
    }

    std::vector<TBytes> AnswerTo(const TBytes& packet)
    {
        if (packet[0] == kSessionRequest)
            return {Break == TBreak::SessionRefused ? TBytes{kNegativeSessionResponse, 0, 0, 1, 0x82}
                                                    : TBytes{kPositiveSessionResponse, 0, 0, 0}};
        const TBytes smb(packet.begin() + 4, packet.end());
        switch (smb[4]) {
        case kSmbNegotiate:
            return {Frame(Break == TBreak::NoDialect ? Reply(kSmbNegotiate, {}, {0xFFFF})
                                                     : NtLmNegotiateReply(0, 16644, kSessionKey))};
        case kSmbSessionSetup:
            EXPECT_EQ(smb[32], 13) << "session setup of another layout";
            EXPECT_EQ(smb[33], 0xFF) << "a command chained to the session setup";
            EXPECT_EQ(DwordAt(smb, 33 + 2 * 5), kSessionKey) << "session setup without the negotiated key";
            EXPECT_EQ(WordAt(smb, 33 + 2 * 7) + WordAt(smb, 33 + 2 * 8), 0) << "an anonymous session with a password";
            return {Frame(Reply(kSmbSessionSetup, Break == TBreak::SessionDenied ? Dos(1, 5) : TStatus{}, {0xFF, 0, 1},
                {}, 0, kUid))};
        case kSmbTreeConnect: {
            EXPECT_EQ(WordAt(smb, 28), kUid) << "tree connect without the session's uid";
            EXPECT_EQ(smb[32], 4) << "tree connect of another layout";
            EXPECT_EQ(smb[33], 0xFF) << "a command chained to the tree connect";
            // The password, as long as the last word says, then the share and the kind of service.
            const size_t share = 33 + 2 * 4 + 2 + WordAt(smb, 33 + 2 * 3);
            EXPECT_EQ(TextAt(smb, share), "\\\\*SMBSERVER\\IPC$");
            EXPECT_EQ(TextAt(smb, share + 18), "?????");
            TBytes answer = Frame(Reply(kSmbTreeConnect, Break == TBreak::TreeDenied ? Dos(1, 5) : TStatus{},
                {0xFF, 0, 1}, {}, kTid, kUid));
            if (Break == TBreak::OtherPacketKind)
                answer[0] = kPositiveSessionResponse;
            return {answer};
        }
        case kSmbTransaction: {
            EXPECT_EQ(WordAt(smb, 24), kTid) << "transaction outside the IPC$ tree";
            EXPECT_EQ(smb[32], 14) << "transaction of another layout";
            // The parameters in one piece, no data and no setup words, to the remote administration pipe.
            EXPECT_EQ(WordAt(smb, 33), WordAt(smb, 33 + 2 * 9)) << "parameters announced but not sent";
            EXPECT_EQ(WordAt(smb, 33 + 2) + WordAt(smb, 33 + 2 * 11), 0) << "data in the request";
            EXPECT_EQ(smb[33 + 2 * 13], 0) << "setup words in the request";
            EXPECT_EQ(TextAt(smb, 33 + 2 * 14 + 2), "\\PIPE\\LANMAN");
            const uint16_t flags = WordAt(smb, 33 + 2 * 5);
            if (flags & 0x0002)
                return {}; // a one-way transaction has no answer
            if (TreeClosed)
                return {Frame(Reply(kSmbTransaction, Dos(2, 5), {}))}; // no such tree
            TreeClosed = (flags & 0x0001) != 0;                       // gone after this answer
            return ListReply(smb);
        }
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
            return {Frame(Piece(8, total, parameters, 0, data, 0, 0, ListStatus))};
        std::vector<TBytes> pieces;
        for (size_t d = 0; d < data.size(); d += PieceData) {
            const TBytes slice(data.begin() + d, data.begin() + std::min(data.size(), d + PieceData));
            pieces.push_back(Frame(Piece(8, total, d == 0 ? parameters : TBytes{}, d == 0 ? 0 : 8, slice,
                static_cast<uint16_t>(d), 0, ListStatus)));
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
        bool KeepAlives;
        size_t Continuations;
    } cases[] = {
        {"one reply", 3, 0xFFFF, 0, false, false, 0},
        {"an empty workgroup", 0, 0xFFFF, 0, false, false, 0},
        {"one reply in pieces", 40, 0xFFFF, 100, false, false, 0},
        {"continued from the last name", 7, 3 * kServerInfo0Size, 0, false, false, 3},
        {"continued one new name at a time", 5, 2 * kServerInfo0Size, 0, false, false, 4},
        {"continued, in pieces", 7, 4 * kServerInfo0Size, 20, false, false, 2},
        {"a master that starts over", 5, 2 * kServerInfo0Size, 0, true, false, 1},
        {"keep-alives before the answers", 7, 3 * kServerInfo0Size, 0, false, true, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TScriptedMaster master;
        master.List = Computers(c.Computers);
        master.PieceData = c.PieceData;
        master.IgnoresFirstName = c.IgnoresFirstName;
        master.KeepAlives = c.KeepAlives;
        TBrowseListExchange exchange({"ALICE", "OFIS", c.ReceiveBuffer});
        Converse(exchange, master);
        ASSERT_TRUE(exchange.Succeeded()) << exchange.Problem();
        // A master that ignores where to go on repeats its first page: nothing new, so the list ends there.
        const size_t expected = c.IgnoresFirstName ? c.ReceiveBuffer / kServerInfo0Size : c.Computers;
        EXPECT_EQ(exchange.Names(), std::vector<std::string>(master.List.begin(), master.List.begin() + expected));
        EXPECT_EQ(master.FirstNamesAsked.size(), c.Continuations);
        exchange.Fail("connection closed"); // the carrier's word after the end changes nothing
        EXPECT_TRUE(exchange.Succeeded());
    }
}

TEST(BrowseListExchange, EveryRefusalEndsTheExchangeWithAReason)
{
    using TBreak = TScriptedMaster::TBreak;
    for (TBreak b : {TBreak::SessionRefused, TBreak::NoDialect, TBreak::SessionDenied, TBreak::TreeDenied,
             TBreak::NoList, TBreak::BadRecords, TBreak::OtherPacketKind}) {
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

TEST(BrowseListExchange, TheListsReplyIsTakenOnlyWithSuccessOrMoreData)
{
    struct Case {
        const char* What;
        TStatus Status;
        bool Read;
    } cases[] = {
        {"success", {}, true},
        {"more data, DOS form", Dos(1, 234), true},
        {"more data, NT form", Nt(0x80000005), true},
        {"access denied, DOS form", Dos(1, 5), false},
        {"a server error numbered like more data", Dos(2, 234), false},
        {"access denied, NT form", Nt(0xC0000022), false},
        {"the DOS bytes of more data flagged as an NT status", {Dos(1, 234).Value, true}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TScriptedMaster master;
        master.List = Computers(3);
        master.ListStatus = c.Status;
        TBrowseListExchange exchange({"ALICE", "OFIS"});
        Converse(exchange, master);
        EXPECT_EQ(exchange.Succeeded(), c.Read) << exchange.Problem();
        if (c.Read) {
            EXPECT_EQ(exchange.Names(), master.List);
        }
    }
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
