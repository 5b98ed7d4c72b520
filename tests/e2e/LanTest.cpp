// The program on a network of its own (tests/lan/with-lan.sh): a Samba computer in another network namespace is
// the workgroup's browse master and takes messages. Nothing is redirected: the run stand-in of netapi32 answers
// as a Windows without SMB1 does (6118 for the list, 50 for a send), so the picker asks the master and a send
// finds its recipient by broadcast name query.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Driver.h"
#include "forms/f_Toplu.h"
#include "forms/main.h"

namespace {

using namespace e2e;

std::string Variable(const char* name)
{
    char value[1024];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
    return n > 0 && n < sizeof(value) ? std::string(value, n) : std::string();
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

std::string OwnFolder()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n < MAX_PATH ? n : 0);
    return folder.substr(0, folder.find_last_of('\\'));
}

// The receiver's folder for arrived messages, as Wine sees the Unix path: on drive Z.
std::string MessageFolder()
{
    std::string path = Variable("VARNEL_LAN_DIR") + "/msgs";
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return "Z:" + path;
}

std::vector<std::string> ArrivedMessages()
{
    std::vector<std::string> texts;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((MessageFolder() + "\\msg-*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return texts;
    do {
        std::ifstream in(MessageFolder() + "\\" + found.cFileName, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        texts.push_back(found.cFileName + std::string(":") + s.str());
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return texts;
}

class LanTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (Variable("VARNEL_LAN_DIR").empty())
            GTEST_SKIP() << "runs on the test network only: tests/lan/with-lan.sh";
        for (const std::string& f : ArrivedMessages())
            DeleteFileA((MessageFolder() + "\\" + f.substr(0, f.find(':'))).c_str());
        // The program runs from the scenario's folder with the run stand-in, not the recording one, beside it.
        const std::string exe = Scenario.PathOf("varnel.exe");
        ASSERT_TRUE(CopyFileA((OwnFolder() + "\\varnel.exe").c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((OwnFolder() + "\\..\\run\\netapi32.dll").c_str(), Scenario.PathOf("netapi32.dll").c_str(),
            FALSE)) << "build the netapi32_run target";
        TStartOptions options;
        options.Exe = exe;
        options.WorkingFolder = Scenario.Folder();
        Process = &Scenario.Start(options);
        Main = Process->WaitForTopWindow("TForm1", "Korvent Soft");
        ASSERT_NE(Main, nullptr) << "the main window did not appear";
    }
    HWND Item(int id) const { return FindChildById(Main, id); }

    void TypeMessage(const std::string& text)
    {
        ASSERT_TRUE(FocusByClick(Item(idMesajMemo)));
        TypeText(text);
        ASSERT_TRUE(WaitForText(Item(idMesajMemo), text));
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

TEST_F(LanTest, ASendToANameNobodyOnTheNetworkHasEndsInTheErrorBox)
{
    // Wine's browse dialog lists no computers: OK reports its selected folder, a name nobody answers for.
    Click(Item(idBtn_Tek));
    HWND dialog = Process->WaitForTopWindow("#32770", "Gözat");
    ASSERT_NE(dialog, nullptr) << "no browse dialog";
    Click(GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(Process->WaitForTopWindowGone("#32770", "Gözat"));
    TypeMessage("Yarın görüşürüz");
    Click(Item(idBtn_Gonder));
    HWND box = WaitForMessageBox(*Process, "Varnel");
    ASSERT_NE(box, nullptr) << "no error box";
    const TDialog d = ReadDialog(box);
    // Wine's message table has no text for 2273: the program's own table speaks, and the reason follows.
    EXPECT_EQ(d.Texts, std::vector<std::string>{"The message alias could not be found on the network.\r\n"
                                                "Bilgisayar ağda bulunamadı."});
    SaveScreenshot(box, Scenario.PathOf("failed-send.bmp"));
    Click(d.Buttons.at(0).Window);
    EXPECT_TRUE(Process->WaitForTopWindowGone("#32770", "Varnel"));
    EXPECT_EQ(Text(Item(idMesajMemo)), "Yarın görüşürüz");
    EXPECT_TRUE(Process->IsRunning());
    EXPECT_TRUE(ArrivedMessages().empty());
}

} // namespace
