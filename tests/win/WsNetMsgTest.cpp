// TWsNetMessage against the recording netapi32 stand-in: what reaches the platform, results and binding.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../e2e/standin/StandinProtocol.h"
#include "SendAsTheWindow.h"
#include "StandinFiles.h"
#include "net/WsNetMsg.h"

namespace {

class NetMessageTest : public ::testing::Test {
protected:
    void SetUp() override { SetNetApiLibraryNameForTesting("netapi32.dll"); }
    void Script(std::initializer_list<uint32_t> results)
    {
        standin::Script script;
        script.SendResults = results;
        standin::WriteScript(FFiles.Script, script);
        FFiles.NameScript();
    }
    std::vector<standin::Record> Sends() { return FFiles.Records("NetMessageBufferSend"); }

    TStandinFiles FFiles{standin::kLogVariable, standin::kScriptVariable, "varnel-netmsg-test", false};
    TWsNetMessage FSender{nullptr};
};

TEST_F(NetMessageTest, TextsArriveTrimmedAsUtf16FromTheTurkishCodePage)
{
    int sent = 0;
    FSender.OnMessageSent = [&](TObject* sender) {
        EXPECT_EQ(sender, &FSender);
        ++sent;
    };
    FSender.SetServer("  ÇAĞRI-PC \t");
    FSender.MsgTo = "\r\nŞÜKRÜ-PC ";
    FSender.MsgFrom = " ÇAĞRI-PC";
    FSender.MsgText = "  Öğle yemeği\r\nsaat 12:30'da ışık söndü  \r\n";
    FSender.Send();
    EXPECT_EQ(sent, 1);

    const auto sends = Sends();
    ASSERT_EQ(sends.size(), 1u);
    const auto& r = sends[0];
    EXPECT_EQ(r.Ansi("servername"), "ÇAĞRI-PC");
    EXPECT_EQ(r.Ansi("msgname"), "ŞÜKRÜ-PC");
    EXPECT_EQ(r.Ansi("fromname"), "ÇAĞRI-PC");
    const std::u16string text = standin::WideFromAnsi("Öğle yemeği\r\nsaat 12:30'da ışık söndü");
    // The terminating zero travels too and is counted in the length.
    EXPECT_EQ(r.Number("buflen"), (text.size() + 1) * 2);
    EXPECT_EQ(r.BufferUnits(), text + u'\0');
    EXPECT_EQ(r.Wide("fromname").find(u'\u011E'), 2u); // Ğ, not a byte of some other code page
}

TEST_F(NetMessageTest, EmptyNamesAndBlankTextsGoAsNullPointers)
{
    FSender.MsgText = " \r\n ";
    FSender.Send();
    const auto sends = Sends();
    ASSERT_EQ(sends.size(), 1u);
    EXPECT_TRUE(sends[0].IsNull("servername"));
    EXPECT_TRUE(sends[0].IsNull("msgname"));
    EXPECT_TRUE(sends[0].IsNull("fromname"));
    EXPECT_EQ(sends[0].Raw("buf"), "NULL");
    EXPECT_EQ(sends[0].Number("buflen"), 0u);
}

TEST_F(NetMessageTest, ANonZeroResultIsRaisedWithItsSystemTextAndNoSentEvent)
{
    Script({53, 0});
    bool sent = false;
    FSender.OnMessageSent = [&](TObject*) { sent = true; };
    FSender.MsgTo = "YOK-PC";
    FSender.MsgText = "Merhaba";
    const TSendResult refused = Outcome(FSender);
    EXPECT_EQ(refused.Code, ERROR_BAD_NETPATH) << "a refused send must raise";
    EXPECT_EQ(refused.Message, SendFailureBox("YOK-PC", MessengerFailure(ERROR_BAD_NETPATH,
        SystemErrorText(ERROR_BAD_NETPATH))));
    EXPECT_FALSE(sent);
    FSender.Send();
    EXPECT_TRUE(sent);
    EXPECT_EQ(Sends().size(), 2u);
}

TEST_F(NetMessageTest, AFailedLoadIsReportedWithTheLibraryAndRetriedOnTheNextSend)
{
    SetNetApiLibraryNameForTesting("varnel-no-such-library.dll");
    FSender.MsgText = "Deneme";
    const TSendResult missing = Outcome(FSender);
    EXPECT_EQ(missing.Code, ERROR_MOD_NOT_FOUND) << "a missing library must raise";
    EXPECT_EQ(missing.Message, SendFailureBox(FSender.MsgTo, NetworkLibraryMissing(ERROR_MOD_NOT_FOUND,
        SystemErrorText(ERROR_MOD_NOT_FOUND), "varnel-no-such-library.dll")));
    // A library without the operation: the look-up fails with its own code, the next send tries again.
    SetNetApiLibraryNameForTesting("kernel32.dll");
    const TSendResult withoutTheOperation = Outcome(FSender);
    EXPECT_EQ(withoutTheOperation.Code, ERROR_PROC_NOT_FOUND) << "a library without the operation must raise";
    EXPECT_EQ(withoutTheOperation.Message, SendFailureBox(FSender.MsgTo, MessengerOperationMissing(
        ERROR_PROC_NOT_FOUND, SystemErrorText(ERROR_PROC_NOT_FOUND))));
    SetNetApiLibraryNameForTesting("netapi32.dll");
    FSender.Send();
    EXPECT_EQ(Sends().size(), 1u);
}

TEST(NetMessageServer, StoredBareOnThisPlatformAndReadBackBare)
{
    TWsNetMessage sender(nullptr);
    ASSERT_TRUE(IsNtVersion5OrLater());
    sender.SetServer("\\\\OFIS\\PC");
    EXPECT_EQ(sender.StoredServer(), "OFISPC");
    EXPECT_EQ(sender.Server(), "OFISPC");
    sender.SetServer("");
    EXPECT_EQ(sender.Server(), "");
}

} // namespace
