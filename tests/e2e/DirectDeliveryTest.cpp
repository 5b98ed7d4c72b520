// A send through the program's window on Wine with the run stand-in of netapi32 beside it: the platform answers
// 50, the program delivers by itself, and the send ends in the sent picture or in the error box, never in an abort.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "../win/WinPopupPeers.h"
#include "Driver.h"
#include "core/Text.h"
#include "forms/main.h"

namespace {

using namespace e2e;

std::string OwnFolder()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n < MAX_PATH ? n : 0);
    return folder.substr(0, folder.find_last_of('\\'));
}

// Every packet stays on loopback: no DNS, name queries to the test's responder, sessions to the test's port.
class DirectDeliveryTest : public ::testing::Test {
protected:
    void Launch(uint16_t sessionPort)
    {
        // The program runs from the scenario's folder with the run stand-in, not the recording one, beside it.
        const std::string exe = Scenario.PathOf("varnel.exe");
        ASSERT_TRUE(CopyFileA((OwnFolder() + "\\varnel.exe").c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((OwnFolder() + "\\..\\run\\netapi32.dll").c_str(), Scenario.PathOf("netapi32.dll").c_str(),
            FALSE)) << "build the netapi32_run target";
        TStartOptions options;
        options.Exe = exe;
        options.WorkingFolder = Scenario.Folder();
        options.Environment = {{"VARNEL_TEST_NO_RESOLVER", "1"},
            {"VARNEL_TEST_NAME_QUERY", "127.0.0.1:" + std::to_string(Names.Port())},
            {"VARNEL_TEST_SESSION_PORT", std::to_string(sessionPort)}};
        Process = &Scenario.Start(options);
        Main = Process->WaitForTopWindow("TForm1", "Korvent Soft");
        ASSERT_NE(Main, nullptr) << "the main window did not appear";
    }
    HWND Item(int id) const { return FindChildById(Main, id); }

    // Picks whatever the browse dialog offers and types the message.
    void PrepareSend(const std::string& text)
    {
        Click(Item(idBtn_Tek));
        HWND dialog = Process->WaitForTopWindow("#32770", "Gözat");
        ASSERT_NE(dialog, nullptr) << "no browse dialog";
        Click(GetDlgItem(dialog, IDOK));
        ASSERT_TRUE(Process->WaitForTopWindowGone("#32770", "Gözat"));
        ASSERT_TRUE(WaitUntil([&] { return !Text(Item(idEdt_Bilgisayar)).empty(); }));
        ASSERT_TRUE(FocusByClick(Item(idMesajMemo)));
        TypeText(text);
        ASSERT_TRUE(WaitForText(Item(idMesajMemo), text));
    }

    peers::TNameResponder Names{{}, true};
    TScenario Scenario;
    TProcess* Process = nullptr;
    HWND Main = nullptr;
};

TEST_F(DirectDeliveryTest, AReceiverThatTakesTheMessageEndsInTheSentState)
{
    peers::TReceiver receiver(peers::TReceiver::TMode::Receive);
    Launch(receiver.Port());
    PrepareSend("Çay hazır mı?");
    Click(Item(idBtn_Gonder));
    ASSERT_TRUE(WaitForText(Item(idMesajMemo), "")) << "the memo keeps its text: the send failed";
    EXPECT_EQ(WaitForMessageBox(*Process, nullptr, 300), nullptr);
    const auto packets = receiver.Packets();
    ASSERT_EQ(packets.size(), 4u);
    EXPECT_EQ(std::string(packets[2].begin() + 44, packets[2].end()), "\x80" "ay haz\x8Dr m\x8D?"); // cp857
    EXPECT_TRUE(Process->IsRunning());
}

TEST_F(DirectDeliveryTest, NoReceiverEndsInTheErrorBoxAndTheProgramGoesOn)
{
    Launch(peers::UnusedPort());
    PrepareSend("Yarın görüşürüz");
    Click(Item(idBtn_Gonder));
    HWND box = WaitForMessageBox(*Process, "Varnel");
    ASSERT_NE(box, nullptr) << "no error box";
    const TDialog d = ReadDialog(box);
    // The system's text for 2273 with the box's full stop; Wine has none, so there the box shows no text at all.
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, 2273, 0, text, sizeof(text), nullptr);
    const std::string expected = WithFullStop(CleanSystemText(text));
    EXPECT_EQ(d.Texts.empty() ? std::string() : d.Texts[0], expected);
    Click(d.Buttons.at(0).Window);
    EXPECT_TRUE(Process->WaitForTopWindowGone("#32770", "Varnel"));
    EXPECT_EQ(Text(Item(idMesajMemo)), "Yarın görüşürüz");
    EXPECT_TRUE(Process->IsRunning());
    EXPECT_GT(Names.Queries(), 0);
}

} // namespace
