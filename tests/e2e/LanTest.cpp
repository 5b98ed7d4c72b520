// The program on a network of its own (tests/lan/with-lan.sh): a Samba computer in another network namespace is
// the workgroup's browse master and takes messages. Nothing is redirected: the run stand-in of netapi32 answers
// as a Windows without SMB1 does (6118 for the list, 50 for a send), so the picker asks the master and a send
// finds its recipient by broadcast name query. Beside the program, the recording wtsapi32 stand-in plays the
// recipient's sessions; its default script answers as a computer without the session road (1722).
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "Driver.h"
#include "LanFolders.h"
#include "standin/WtsStandinProtocol.h"
#include "forms/f_Toplu.h"
#include "forms/main.h"

namespace {

using namespace e2e;

class LanTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The plain end-to-end run leaves these scenarios out; they run only inside tests/lan/with-lan.sh.
        ASSERT_FALSE(Variable("VARNEL_LAN_DIR").empty()) << "run through tests/lan/with-lan.sh";
        for (const std::string& f : ArrivedMessages())
            DeleteFileA((MessageFolder() + "\\" + f.substr(0, f.find(':'))).c_str());
        // The program runs from the scenario's folder with the run stand-in, not the recording one, beside it.
        const std::string exe = Scenario.PathOf("varnel.exe");
        ASSERT_TRUE(CopyFileA((OwnFolder() + "\\varnel.exe").c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((OwnFolder() + "\\..\\run\\netapi32.dll").c_str(), Scenario.PathOf("netapi32.dll").c_str(),
            FALSE)) << "build the netapi32_run target";
        ASSERT_TRUE(CopyFileA((OwnFolder() + "\\wtsapi32.dll").c_str(), Scenario.PathOf("wtsapi32.dll").c_str(), FALSE));
        wtsstandin::Script withoutRoad;
        withoutRoad.SessionsError = wtsstandin::kRpcServerUnavailable;
        SetSessions(withoutRoad);
        TStartOptions options;
        options.Exe = exe;
        options.WorkingFolder = Scenario.Folder();
        options.Environment = {{wtsstandin::kScriptVariable, Scenario.PathOf("wtsapi32.script")},
            {wtsstandin::kLogVariable, Scenario.PathOf("wtsapi32.log")}};
        Process = &Scenario.Start(options);
        Main = Process->WaitForTopWindow("TForm1", "Korvent Soft");
        ASSERT_NE(Main, nullptr) << "the main window did not appear";
    }
    HWND Item(int id) const { return FindChildById(Main, id); }
    // The stand-in reads its script at every call, so a scenario may change it while the program runs.
    void SetSessions(const wtsstandin::Script& script) { wtsstandin::WriteScript(Scenario.PathOf("wtsapi32.script"), script); }
    std::vector<standin::Record> SessionCalls(const char* function) const
    {
        return standin::RecordsOf(standin::ReadLog(Scenario.PathOf("wtsapi32.log")), function);
    }
    // Wine's browse dialog lists no computers: OK reports its selected folder (the desktop's path), a name nobody
    // answers for.
    void ChooseTheOfferedName()
    {
        ASSERT_TRUE(BrowseAndConfirm(*Process, Item(idBtn_Tek))) << "no browse dialog, or it stayed";
    }

    void TypeMessage(const std::string& text)
    {
        ASSERT_TRUE(FocusByClick(Item(idMesajMemo)));
        TypeText(text);
        ASSERT_TRUE(WaitForText(Item(idMesajMemo), text));
    }

    // Types `text`, sends it to the offered name and returns the error box that ends the send (null: none came).
    HWND SendToTheOfferedName(const std::string& text)
    {
        ChooseTheOfferedName();
        TypeMessage(text);
        Click(Item(idBtn_Gonder));
        return WaitForMessageBox(*Process, "Varnel");
    }

    TScenario Scenario;
    TProcess* Process = nullptr;
    HWND Main = nullptr;
};

TEST_F(LanTest, ThePickerListsTheComputersOfTheMastersBrowseList)
{
    const DWORD start = GetTickCount();
    Click(Item(idBtn_Toplu));
    HWND picker = Process->WaitForTopWindow("TFrm_Toplu", "Frm_Toplu");
    ASSERT_NE(picker, nullptr) << "the picker did not appear";
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(WaitForMessageBox(*Process, "Varnel", 300), nullptr) << "the list failed";
    EXPECT_EQ(ListBoxItems(FindChildById(picker, idCL_Computers)), Split(Variable("VARNEL_LAN_COMPUTERS"), ','));
    EXPECT_LT(elapsed, 5000u + 2000u) << "the list took longer than its bound";
    SaveScreenshot(picker, Scenario.PathOf("lan-picker.bmp"));
}

// What arrived, once `count` messages have: each file's text, as the receiver's message command saved it.
TEST_F(LanTest, ABulkSendReachesEveryCheckedComputerByBroadcastNameQuery)
{
    Click(Item(idBtn_Toplu));
    HWND picker = Process->WaitForTopWindow("TFrm_Toplu", "Frm_Toplu");
    ASSERT_NE(picker, nullptr) << "the picker did not appear";
    ASSERT_TRUE(WaitForSettledForeground(picker));
    HWND list = FindChildById(picker, idCL_Computers);
    const std::vector<std::string> names = ListBoxItems(list);
    const std::vector<std::string> chosen{"OFIS2", "OFIS3"};
    for (const std::string& name : chosen) {
        const auto at = std::find(names.begin(), names.end(), name);
        ASSERT_NE(at, names.end()) << name << " is not listed";
        const int index = static_cast<int>(at - names.begin());
        RECT item{};
        SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        ClickWindow(list, POINT{80, (item.top + item.bottom) / 2});
        ASSERT_TRUE(WaitUntil([&] { return ListBoxItemData(list, index) == 1; })) << name << " not checked";
    }
    Click(FindChildById(picker, idBtn_Kapat_Toplu));
    ASSERT_TRUE(Process->WaitForTopWindowGone("TFrm_Toplu", "Frm_Toplu"));
    TypeMessage("Toplanti saat 3te");
    Click(Item(idBtn_Gonder));
    ASSERT_TRUE(WaitForText(Item(idMesajMemo), "", 15000)) << "the memo keeps its text: the send failed";
    EXPECT_EQ(WaitForMessageBox(*Process, "Varnel", 300), nullptr);
    const std::vector<std::string> arrived = WaitForArrivals(chosen.size());
    ASSERT_EQ(arrived.size(), chosen.size());
    for (const std::string& message : arrived)
        EXPECT_EQ(message.substr(message.find(':') + 1), "Toplanti saat 3te") << message;
    EXPECT_TRUE(SessionCalls("WTSSendMessageA").empty()) << "the direct delivery took it";
}

TEST_F(LanTest, ASendToANameNobodyOnTheNetworkHasEndsInTheErrorBox)
{
    HWND box = SendToTheOfferedName("Yarın görüşürüz");
    ASSERT_NE(box, nullptr) << "no error box";
    const TDialog d = ReadDialog(box);
    // Wine's message table has no text for 2273: the program's own sentence stands alone.
    EXPECT_EQ(d.Texts, std::vector<std::string>{"Mesaj " + Text(Item(idEdt_Bilgisayar)) +
                                                " bilgisayarına gönderilemedi: bu ad ağda bulunamadı.\r\n"
                                                "Bilgisayarın adını denetleyin ve açık olduğundan emin olun.\r\n"
                                                "(hata kodu 2273)"});
    SaveScreenshot(box, Scenario.PathOf("failed-send.bmp"));
    Click(d.Buttons.at(0).Window);
    EXPECT_TRUE(Process->WaitForTopWindowGone("#32770", "Varnel"));
    EXPECT_EQ(Text(Item(idMesajMemo)), "Yarın görüşürüz");
    EXPECT_TRUE(Process->IsRunning());
    EXPECT_TRUE(ArrivedMessages().empty());
}

TEST_F(LanTest, WhereNoReceiverTakesItTheRecipientsSessionsShowTheMessage)
{
    wtsstandin::Script sessions;
    sessions.Sessions = {{0, 4}, {1, wtsstandin::kActive}}; // a disconnected session and a signed-in one
    SetSessions(sessions);
    ChooseTheOfferedName();
    TypeMessage("Toplantı 15:00'te");
    Click(Item(idBtn_Gonder));
    ASSERT_TRUE(WaitForText(Item(idMesajMemo), "")) << "the memo keeps its text: the send failed";
    EXPECT_EQ(WaitForMessageBox(*Process, nullptr, 300), nullptr);
    const auto sends = SessionCalls("WTSSendMessageA");
    ASSERT_EQ(sends.size(), 1u);
    EXPECT_EQ(sends[0].Number("session"), 1u);
    EXPECT_EQ(wtsstandin::TextBytes(sends[0], "message"), "Toplantı 15:00'te");
    EXPECT_EQ(wtsstandin::TextBytes(sends[0], "title").rfind("Varnel \x97 ", 0), 0u);
    EXPECT_TRUE(ArrivedMessages().empty());
}

TEST_F(LanTest, ARefusalFromTheSessionsSaysWhatTheAdministratorHasToAllow)
{
    wtsstandin::Script denied;
    denied.SessionsError = 5; // access denied
    SetSessions(denied);
    HWND box = SendToTheOfferedName("Merhaba");
    ASSERT_NE(box, nullptr) << "no error box";
    const TDialog d = ReadDialog(box);
    ASSERT_FALSE(d.Texts.empty());
    EXPECT_NE(d.Texts[0].find("yöneticisinden hesabınıza mesaj gönderme izni vermesini isteyin"), std::string::npos)
        << d.Texts[0];
    EXPECT_TRUE(d.Texts[0].ends_with("\r\n(hata kodu 5)")) << d.Texts[0];
    SaveScreenshot(box, Scenario.PathOf("session-refusal.bmp"));
    Click(d.Buttons.at(0).Window);
    EXPECT_TRUE(Process->WaitForTopWindowGone("#32770", "Varnel"));
    EXPECT_EQ(Text(Item(idMesajMemo)), "Merhaba");
}

} // namespace
