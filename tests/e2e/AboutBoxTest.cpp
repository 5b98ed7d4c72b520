// The about box as a user meets it: opened from the popup menu, its texts and colour, Enter closing it and Escape
// not, the link staying unvisited when the address cannot be opened, and dragging by the background only.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

#include "ProgramTest.h"
#include "forms/f_about.h"
#include "forms/main.h"

namespace {

using namespace e2e;

const POINT kAboutPanelSpot{20, 150}; // bare panel of the about box below its picture
constexpr COLORREF kTeal = RGB(0, 128, 128);
constexpr COLORREF kVisitedPurple = RGB(128, 0, 128);

// How many pixels of a window show exactly that colour.
int CountPixels(HWND w, COLORREF color)
{
    const e2e::TImage image = CaptureWindow(w);
    int count = 0;
    for (COLORREF c : image.Pixels)
        count += c == color;
    return count;
}

// Replaces, for one scenario, the command by which the shell opens web addresses, and puts the old one back.
// (Wine takes that command from the machine's classes only, and its programs ignore a changed override.)
class TScopedWebOpener {
public:
    explicit TScopedWebOpener(const std::string& command)
    {
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &FKey,
                nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot open the web address command");
        char old[1024];
        DWORD size = sizeof old;
        DWORD type = 0;
        if (RegQueryValueExA(FKey, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS &&
            type == REG_SZ && size > 0 && size <= sizeof old)
            FOld = std::string(old, size - 1);
        Set(command);
    }
    ~TScopedWebOpener()
    {
        if (FOld)
            Set(*FOld);
        else
            RegDeleteValueA(FKey, nullptr);
        RegCloseKey(FKey);
    }
    TScopedWebOpener(const TScopedWebOpener&) = delete;
    TScopedWebOpener& operator=(const TScopedWebOpener&) = delete;

private:
    static constexpr char kKey[] = "Software\\Classes\\https\\shell\\open\\command";
    void Set(const std::string& command)
    {
        RegSetValueExA(FKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
            static_cast<DWORD>(command.size() + 1));
    }
    HKEY FKey = nullptr;
    std::optional<std::string> FOld;
};

class AboutBoxTest : public TProgramTest {
protected:
    // "Program Hakkında..." is the popup menu's last item. The menu is asked for as the system asks after a
    // right click (a real right click first starts the background's drag, which races with the menu); the
    // menu's loop reads the keys of its thread whichever window they name.
    void OpenAbout()
    {
        ASSERT_TRUE(WaitForSettledForeground(Main));
        ASSERT_NO_FATAL_FAILURE(ChooseFromThePanelMenu({VK_UP}));
        About = Process->WaitForTopWindow("TFrm_about", "Hakkında...");
        ASSERT_NE(About, nullptr) << "the about box did not appear";
        ASSERT_TRUE(WaitForFocus(Item(idAboutUcBitBtn1)));
    }
    // A left click in the middle of the link, checked to land on it.
    void ClickLink()
    {
        HWND link = Item(idAboutUcURLLabel1);
        const RECT r = WindowRect(link);
        const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ASSERT_EQ(WindowFromPoint(middle), link);
        ClickAt(middle);
    }
    bool WaitForAboutClosed(DWORD timeoutMs = kTimeoutMs)
    {
        return Process->WaitForTopWindowGone("TFrm_about", "Hakkında...", timeoutMs);
    }

    HWND Item(int id) const
    {
        HWND w = FindChildById(About, id);
        if (!w)
            ADD_FAILURE() << "no control " << id;
        return w;
    }

    HWND About = nullptr;
};

TEST_F(AboutBoxTest, ShowsNameVersionAndLinkModallyCentredInTheMainWindowsColour)
{
    WriteIniFile("[AYARLAR]\r\nRENK=clTeal\r\nEDIT_RENK=clWindow\r\nFONT_RENK=clBlack\r\n");
    Launch();
    OpenAbout();
    EXPECT_EQ(Text(Item(idAboutProductName)), "Varnel");
    EXPECT_EQ(Text(Item(idAboutVersion)), "Sürüm 1.68");
    EXPECT_EQ(Text(Item(idAboutUcURLLabel1)), "varnel.example.org");
    EXPECT_EQ(Text(Item(idAboutUcBitBtn1)), "&Tamam");

    const SIZE size = ClientSize(About);
    EXPECT_EQ(size.cx, 272);
    EXPECT_EQ(size.cy, 170);
    const RECT r = WindowRect(About);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 272) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 170) / 2);
    EXPECT_FALSE(IsEnabled(Main)) << "the main window takes input while the box is open";
    EXPECT_TRUE(WaitForClientPixel(About, kAboutPanelSpot.x, kAboutPanelSpot.y, kTeal));

    Click(Item(idAboutUcBitBtn1));
    ASSERT_TRUE(WaitForAboutClosed());
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(Main); }));
}

TEST_F(AboutBoxTest, EnterClosesTheBoxEscapeDoesNot)
{
    Launch();
    OpenAbout();
    const HWND first = About;
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(WaitForAboutClosed(1000)) << "Escape closed the box";
    PressKey(VK_RETURN); // the same keyboard path still reaches the box
    ASSERT_TRUE(WaitForAboutClosed());
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(Main) && Foreground() == Main; }));

    // Every opening builds the box afresh.
    OpenAbout();
    EXPECT_FALSE(IsWindow(first) && first == About);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitForAboutClosed());
}

TEST_F(AboutBoxTest, ALinkThatCannotBeOpenedStaysUnvisitedWithoutAMessage)
{
    TScopedWebOpener noBrowser("C:\\varnel-no-browser\\none.exe \"%1\"");
    Launch();
    OpenAbout();
    HWND link = Item(idAboutUcURLLabel1);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    ASSERT_TRUE(WaitUntil([&] { return CountPixels(link, highlight) > 0; })) << "the link is not in its colour";
    EXPECT_EQ(CountPixels(link, kVisitedPurple), 0);

    ClickLink();
    EXPECT_EQ(WaitForMessageBox(*Process, nullptr, 1500), nullptr) << "the failure was reported";
    EXPECT_TRUE(IsVisible(About));
    EXPECT_GT(CountPixels(link, highlight), 0);
    EXPECT_EQ(CountPixels(link, kVisitedPurple), 0) << "the link turned visited";
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitForAboutClosed());
}

TEST_F(AboutBoxTest, AnOpenedLinkTurnsPurpleUntilTheBoxIsOpenedAgain)
{
    const std::string opened = Scenario.PathOf("opened.txt");
    TScopedWebOpener recorder("C:\\windows\\system32\\cmd.exe /c echo %1> \"" + opened + "\"");
    Launch();
    OpenAbout();
    HWND link = Item(idAboutUcURLLabel1);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    ASSERT_TRUE(WaitUntil([&] { return CountPixels(link, highlight) > 0; }));

    ClickLink();
    EXPECT_TRUE(WaitUntil([&] { return CountPixels(link, kVisitedPurple) > 0; })) << "the link did not turn purple";
    EXPECT_EQ(CountPixels(link, highlight), 0);
    std::string address;
    EXPECT_TRUE(WaitUntil([&] {
        std::ifstream in(opened);
        return std::getline(in, address) && !address.empty();
    }));
    EXPECT_EQ(address.substr(0, address.find_last_not_of(" \r") + 1), "https://varnel.example.org");

    Click(Item(idAboutUcBitBtn1)); // the started program may hold the keyboard now
    ASSERT_TRUE(WaitForAboutClosed());
    OpenAbout();
    link = Item(idAboutUcURLLabel1);
    EXPECT_TRUE(WaitUntil([&] { return CountPixels(link, highlight) > 0; }));
    EXPECT_EQ(CountPixels(link, kVisitedPurple), 0) << "a new opening starts visited";
    Click(Item(idAboutUcBitBtn1));
    EXPECT_TRUE(WaitForAboutClosed());
}

TEST_F(AboutBoxTest, TheBackgroundDragsTheBoxThePictureAndLabelsDoNot)
{
    Launch();
    OpenAbout();
    for (const int id : {idAboutProgramIcon, idAboutProductName, idAboutVersion}) {
        const RECT before = WindowRect(About);
        const RECT part = WindowRect(Item(id));
        const POINT from{part.left + 5, part.top + 5};
        Drag(from, POINT{from.x + 40, from.y + 30});
        EXPECT_FALSE(WaitUntil([&] { return WindowRect(About).left != before.left; }, 700)) << "moved by " << id;
    }
    const RECT before = WindowRect(About);
    const POINT from{before.left + kAboutPanelSpot.x, before.top + kAboutPanelSpot.y};
    Drag(from, POINT{from.x + 40, from.y + 30});
    EXPECT_TRUE(WaitUntil([&] {
        const RECT now = WindowRect(About);
        return now.left == before.left + 40 && now.top == before.top + 30;
    }));
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitForAboutClosed());
}

} // namespace
