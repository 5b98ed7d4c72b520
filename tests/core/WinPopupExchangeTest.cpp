// Reading the receiver's replies and the conversation they drive, down to the error code each failure reports.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "core/SessionService.h"
#include "core/SmbMessage.h"
#include "core/WinPopupExchange.h"
#include "core/WinPopupFailure.h"

namespace {

using TBytes = std::vector<uint8_t>;

// An SMB reply as a receiver sends it: reply flag set, the given status, words and data.
TBytes Reply(uint8_t command, uint32_t status = 0, bool ntStatus = true, std::vector<uint16_t> words = {},
    size_t dataBytes = 0)
{
    TBytes smb{0xFF, 'S', 'M', 'B', command};
    for (int i = 0; i < 4; ++i)
        smb.push_back(static_cast<uint8_t>(status >> (8 * i)));
    smb.push_back(0x80);
    smb.push_back(0x03);
    smb.push_back(ntStatus ? 0x40 : 0x00);
    smb.resize(32, 0);
    smb.push_back(static_cast<uint8_t>(words.size()));
    for (uint16_t w : words) {
        smb.push_back(static_cast<uint8_t>(w));
        smb.push_back(static_cast<uint8_t>(w >> 8));
    }
    smb.push_back(static_cast<uint8_t>(dataBytes));
    smb.push_back(static_cast<uint8_t>(dataBytes >> 8));
    smb.resize(smb.size() + dataBytes, 0);
    return smb;
}

uint32_t Dos(uint8_t errorClass, uint16_t code) { return errorClass | (static_cast<uint32_t>(code) << 16); }

TBytes Hex(const char* text)
{
    TBytes out;
    for (const char* p = text; p[0] && p[1]; p += 2)
        out.push_back(static_cast<uint8_t>(std::stoi(std::string(p, 2), nullptr, 16)));
    return out;
}

TEST(SmbReplies, WhatSambaAndTheProtocolAnswerIsRead)
{
    // Captured from Samba 4.17: the start reply with WordCount 0, and the refusal of a Samba without a message
    // command (DOS class 1, code 71, NT status flag clear).
    const TBytes sambaStart = Hex("ff534d42d5000000008003400000000000000000000000000000000000000000000000");
    const TSmbReply started = ParseSmbReply(sambaStart, kSmbStartMessage);
    EXPECT_TRUE(started.Succeeded());
    EXPECT_EQ(StartMessageGroupId(started), 0);
    const TBytes sambaRefusal = Hex("ff534d42d5010047008003000000000000000000000000000000000000000000000000");
    const TSmbReply refused = ParseSmbReply(sambaRefusal, kSmbStartMessage);
    EXPECT_FALSE(refused.NtStatus);
    EXPECT_EQ(refused.ErrorClass, 1);
    EXPECT_EQ(refused.ErrorCode, 71);
    EXPECT_TRUE(IsMessengerRefusal(refused));

    EXPECT_EQ(StartMessageGroupId(ParseSmbReply(Reply(kSmbStartMessage, 0, true, {0x0507}), kSmbStartMessage)), 0x0507);
    EXPECT_THROW(StartMessageGroupId(ParseSmbReply(Reply(kSmbStartMessage, 0, true, {1, 2}), kSmbStartMessage)),
        EProtocolError);
    EXPECT_EQ(ParseSmbReply(Reply(kSmbTextBlock, 0, true, {}, 3), kSmbTextBlock).ByteCount, 3u);
}

TEST(SmbReplies, TheHeaderIsReadWhereItsFieldsLie)
{
    // Text block reply, NT status 0xC0123456, flags2 with NT statuses, tid 0x2211, pid 0x4433, uid 0x6655, mid 0x8877.
    const TBytes smb = Hex("ff534d42d7563412c0800340000000000000000000000000112233445566778800" "0000");
    const TSmbReply reply = ParseSmbReply(smb, kSmbTextBlock);
    EXPECT_EQ(reply.Command, kSmbTextBlock);
    EXPECT_TRUE(reply.NtStatus);
    EXPECT_EQ(SmbStatusText(reply), "NT status 0xC0123456");
    EXPECT_EQ(reply.Tid, 0x2211);
    EXPECT_EQ(reply.Uid, 0x6655);
    EXPECT_EQ(reply.Mid, 0x8877);
    EXPECT_EQ(SmbStatusText(ParseSmbReply(Reply(kSmbTextBlock, Dos(2, 83), false), kSmbTextBlock)), "DOS error 2/83");
}

TEST(SmbReplies, OnlyStatusesAboutReceivingCountAsARefusal)
{
    struct Case {
        uint32_t Status;
        bool Nt;
        bool Refusal;
    } cases[] = {
        {0xC00000D0, true, true},   // request not accepted
        {Dos(2, 81), false, true},  // messenger paused
        {Dos(2, 82), false, true},  // not receiving messages
        {Dos(2, 83), false, true},  // no room for the message
        {Dos(1, 71), false, true},  // request not accepted, DOS form
        {0xC0000022, true, false},  // access denied
        {Dos(2, 1), false, false},  // general server error
        {Dos(1, 1), false, false},  // bad function
        {0x00520002, true, false},  // DOS bytes read as an NT status mean nothing
    };
    for (const auto& c : cases) {
        const TSmbReply reply = ParseSmbReply(Reply(kSmbTextBlock, c.Status, c.Nt), kSmbTextBlock);
        EXPECT_FALSE(reply.Succeeded());
        EXPECT_EQ(IsMessengerRefusal(reply), c.Refusal) << SmbStatusText(reply);
    }
}

TEST(SmbReplies, AnythingButAWellFormedReplyToTheRequestIsRefused)
{
    const TBytes good = Reply(kSmbEndMessage);
    auto with = [&](size_t at, uint8_t value) {
        TBytes b = good;
        b[at] = value;
        return b;
    };
    TBytes shortWords = Reply(kSmbEndMessage, 0, true, {1, 2});
    shortWords.resize(32 + 1 + 3);
    TBytes halfByteCount = Reply(kSmbEndMessage, 0, true, {1, 2});
    halfByteCount.pop_back();
    TBytes shortData = Reply(kSmbEndMessage, 0, true, {}, 4);
    shortData.pop_back();
    const TBytes cases[] = {
        {},
        TBytes(good.begin(), good.begin() + 34),
        with(0, 0xFE),              // another protocol's signature
        with(1, 'X'),
        with(2, 'X'),
        with(3, 'X'),
        with(4, kSmbTextBlock),     // a reply to another command
        with(9, 0x00),              // our own request echoed back
        shortWords,
        halfByteCount,
        shortData,
    };
    EXPECT_NO_THROW(ParseSmbReply(good, kSmbEndMessage));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_THROW(ParseSmbReply(cases[i], kSmbEndMessage), EProtocolError) << "case " << i;
}

// Drives an exchange as the socket carrier does, answering each request with the next scripted packet.
struct TPeer {
    struct TPacket {
        uint8_t Type;
        TBytes Payload;
    };
    std::vector<TPacket> Answers;
    std::vector<TBytes> Requests;

    void Run(TWinPopupExchange& exchange)
    {
        for (const TPacket& p : Answers) {
            if (exchange.Finished())
                break;
            TBytes request = exchange.TakeRequest();
            if (!request.empty())
                Requests.push_back(std::move(request));
            exchange.Accept(p.Type, p.Payload);
        }
    }
    // The SMB command of each request after the session request, in order.
    std::vector<uint8_t> Commands() const
    {
        std::vector<uint8_t> out;
        for (size_t i = 1; i < Requests.size(); ++i)
            out.push_back(Requests[i].at(4 + 4));
        return out;
    }
};

TPeer::TPacket Positive() { return {kPositiveSessionResponse, {}}; }
TPeer::TPacket Smb(TBytes smb) { return {kSessionMessage, std::move(smb)}; }

TWinPopupMessage Message(std::string text) { return {"ALICE", "BOB", std::move(text)}; }

TEST(WinPopupExchange, DeliversInBlocksWithTheGroupIdTheReceiverHandsOut)
{
    for (const std::vector<uint16_t>& words : {std::vector<uint16_t>{}, std::vector<uint16_t>{0x2A}}) {
        std::string text;
        for (int i = 0; i < 300; ++i)
            text += static_cast<char>(0x80 + i % 100);
        TWinPopupExchange exchange(Message(text));
        TPeer peer;
        peer.Answers = {{kSessionKeepAlive, {}}, Positive(), Smb(Reply(kSmbStartMessage, 0, true, words)),
            {kSessionKeepAlive, {}}, Smb(Reply(kSmbTextBlock)), Smb(Reply(kSmbTextBlock)), Smb(Reply(kSmbTextBlock)),
            Smb(Reply(kSmbEndMessage))};
        peer.Run(exchange);
        ASSERT_TRUE(exchange.Delivered()) << exchange.Problem();
        EXPECT_FALSE(exchange.Failure());
        EXPECT_EQ(peer.Requests.at(0).at(0), kSessionRequest);
        EXPECT_EQ(peer.Commands(), (std::vector<uint8_t>{kSmbStartMessage, kSmbTextBlock, kSmbTextBlock, kSmbTextBlock,
                                       kSmbEndMessage}));
        const uint16_t group = words.empty() ? 0 : words[0];
        std::string arrived;
        for (size_t i = 2; i < peer.Requests.size(); ++i) {
            const TBytes& r = peer.Requests[i];
            EXPECT_EQ(SessionPayloadLength(std::span<const uint8_t, 4>(r.data(), 4)), r.size() - 4);
            EXPECT_EQ(r[4 + 32], 1); // one word: the group id
            EXPECT_EQ(r[4 + 33] | (r[4 + 34] << 8), group);
            if (r[4 + 4] == kSmbTextBlock)
                arrived.append(r.begin() + 4 + 40, r.end());
        }
        EXPECT_EQ(arrived, text);
    }
}

TEST(WinPopupExchange, AnEmptyTextStillStartsAndEndsTheMessage)
{
    TWinPopupExchange exchange(Message(""));
    TPeer peer;
    peer.Answers = {Positive(), Smb(Reply(kSmbStartMessage)), Smb(Reply(kSmbEndMessage))};
    peer.Run(exchange);
    EXPECT_TRUE(exchange.Delivered());
    EXPECT_EQ(peer.Commands(), (std::vector<uint8_t>{kSmbStartMessage, kSmbEndMessage}));
}

struct TFailureCase {
    const char* What;
    std::vector<TPeer::TPacket> Answers;
    TWinPopupFailure Failure;
    int32_t Code;
};

TEST(WinPopupExchange, EachFailureEndsTheExchangeWithItsCode)
{
    const TFailureCase cases[] = {
        {"not listening on the called name", {{kNegativeSessionResponse, {0x80}}}, TWinPopupFailure::SessionRefused, 2273},
        {"not listening for the calling name", {{kNegativeSessionResponse, {0x81}}}, TWinPopupFailure::SessionRefused, 2273},
        {"called name not present", {{kNegativeSessionResponse, {0x82}}}, TWinPopupFailure::SessionRefused, 2273},
        {"insufficient resources", {{kNegativeSessionResponse, {0x83}}}, TWinPopupFailure::SessionRefused, 2273},
        {"unspecified", {{kNegativeSessionResponse, {0x8F}}}, TWinPopupFailure::SessionRefused, 2273},
        {"an error byte the protocol does not list", {{kNegativeSessionResponse, {0x42}}}, TWinPopupFailure::SessionRefused, 2273},
        {"retarget", {{kRetargetSessionResponse, {127, 0, 0, 1, 0, 139}}}, TWinPopupFailure::SessionRefused, 2273},
        {"negative without its error byte", {{kNegativeSessionResponse, {}}}, TWinPopupFailure::MalformedReply, 2136},
        {"negative with more than its error byte", {{kNegativeSessionResponse, {0x82, 0x00}}},
            TWinPopupFailure::MalformedReply, 2136},
        {"positive with a body", {{kPositiveSessionResponse, {0}}}, TWinPopupFailure::MalformedReply, 2136},
        {"an SMB before the session", {Smb(Reply(kSmbStartMessage))}, TWinPopupFailure::MalformedReply, 2136},
        {"start refused: no message command", {Positive(), Smb(Reply(kSmbStartMessage, Dos(1, 71), false))},
            TWinPopupFailure::MessageRefused, 2273},
        {"start refused: NT form", {Positive(), Smb(Reply(kSmbStartMessage, 0xC00000D0))},
            TWinPopupFailure::MessageRefused, 2273},
        {"start: access denied", {Positive(), Smb(Reply(kSmbStartMessage, 0xC0000022))},
            TWinPopupFailure::UnexpectedStatus, 2136},
        {"start: two words", {Positive(), Smb(Reply(kSmbStartMessage, 0, true, {1, 2}))},
            TWinPopupFailure::MalformedReply, 2136},
        {"block: no room", {Positive(), Smb(Reply(kSmbStartMessage)), Smb(Reply(kSmbTextBlock, Dos(2, 83), false))},
            TWinPopupFailure::MessageRefused, 2273},
        {"block answered as the end", {Positive(), Smb(Reply(kSmbStartMessage)), Smb(Reply(kSmbEndMessage))},
            TWinPopupFailure::MalformedReply, 2136},
        {"block answered by a session request", {Positive(), Smb(Reply(kSmbStartMessage)), {kSessionRequest, {}}},
            TWinPopupFailure::MalformedReply, 2136},
        {"a reply in a session packet of another kind",
            {Positive(), {kPositiveSessionResponse, Reply(kSmbStartMessage)}, Smb(Reply(kSmbTextBlock))},
            TWinPopupFailure::MalformedReply, 2136},
        {"end: server error", {Positive(), Smb(Reply(kSmbStartMessage)), Smb(Reply(kSmbTextBlock)),
            Smb(Reply(kSmbEndMessage, Dos(2, 1), false))}, TWinPopupFailure::UnexpectedStatus, 2136},
    };
    for (const auto& c : cases) {
        TWinPopupExchange exchange(Message("hi"));
        TPeer peer;
        peer.Answers = c.Answers;
        peer.Answers.push_back(Smb(Reply(kSmbEndMessage))); // never reached: the exchange has ended
        peer.Run(exchange);
        ASSERT_TRUE(exchange.Finished()) << c.What;
        EXPECT_FALSE(exchange.Delivered()) << c.What;
        ASSERT_TRUE(exchange.Failure()) << c.What;
        EXPECT_EQ(*exchange.Failure(), c.Failure) << c.What << ": " << exchange.Problem();
        EXPECT_EQ(WinPopupErrorCode(*exchange.Failure()), c.Code) << c.What;
        EXPECT_TRUE(exchange.TakeRequest().empty()) << c.What;
    }
}

TEST(WinPopupExchange, TransportFailuresAreTheCarriersAndKeepTheFirstReason)
{
    struct Case {
        TWinPopupFailure Failure;
        int32_t Code;
    } cases[] = {
        {TWinPopupFailure::RecipientUnresolved, 2273},
        {TWinPopupFailure::ConnectFailed, 2273},
        {TWinPopupFailure::ConnectTimedOut, 2273},
        {TWinPopupFailure::ConnectionLost, 2136},
        {TWinPopupFailure::TimedOut, 2136},
        {TWinPopupFailure::LocalFault, 2136},
    };
    for (const auto& c : cases) {
        TWinPopupExchange exchange(Message("hi"));
        exchange.Accept(kPositiveSessionResponse, {});
        EXPECT_TRUE(exchange.SessionAccepted());
        exchange.Fail(c.Failure, "first");
        exchange.Fail(TWinPopupFailure::MalformedReply, "second");
        exchange.Accept(kSessionMessage, Reply(kSmbStartMessage));
        EXPECT_EQ(exchange.Failure(), c.Failure);
        EXPECT_EQ(exchange.Problem(), "first");
        EXPECT_EQ(WinPopupErrorCode(c.Failure), c.Code);
    }
    // A delivered message stays delivered whatever the carrier says after it.
    TWinPopupExchange done(Message(""));
    TPeer peer;
    peer.Answers = {Positive(), Smb(Reply(kSmbStartMessage)), Smb(Reply(kSmbEndMessage))};
    peer.Run(done);
    done.Fail(TWinPopupFailure::ConnectionLost, "closed");
    EXPECT_TRUE(done.Delivered());
    EXPECT_FALSE(done.Failure());
}

TEST(WinPopupFailure, EachReasonIsOneClauseWithItsNextStepAndCode)
{
    const TWinPopupFailure failures[] = {TWinPopupFailure::RecipientUnresolved, TWinPopupFailure::ConnectFailed,
        TWinPopupFailure::ConnectTimedOut, TWinPopupFailure::MessageRefused, TWinPopupFailure::ConnectionLost,
        TWinPopupFailure::TimedOut, TWinPopupFailure::MalformedReply, TWinPopupFailure::UnexpectedStatus,
        TWinPopupFailure::LocalFault};
    std::set<std::string> reasons;
    for (const TWinPopupFailure failure : failures) {
        const TSendFailure words = DirectDeliveryFailure(failure);
        EXPECT_TRUE(reasons.insert(words.Reason).second) << "two failures read alike: " << words.Reason;
        ASSERT_FALSE(words.Reason.empty());
        EXPECT_NE(words.Reason.back(), '.') << words.Reason; // the box adds it
        EXPECT_EQ(words.Reason.find('\n'), std::string::npos) << words.Reason;
        EXPECT_FALSE(words.Next.empty()) << words.Reason;
        EXPECT_EQ(words.Code, WinPopupErrorCode(failure));
    }
    // A refused session and a refused connection both mean the computer is there and does not take messages.
    EXPECT_EQ(DirectDeliveryFailure(TWinPopupFailure::SessionRefused).Reason,
        DirectDeliveryFailure(TWinPopupFailure::ConnectFailed).Reason);
    EXPECT_EQ(SendFailureBox("PC02", DirectDeliveryFailure(TWinPopupFailure::RecipientUnresolved)),
        "Mesaj PC02 bilgisayarına gönderilemedi: bu ad ağda bulunamadı.\r\n"
        "Bilgisayarın adını denetleyin ve açık olduğundan emin olun.\r\n(hata kodu 2273)");
}

} // namespace
