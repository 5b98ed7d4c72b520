// The about box as built from its layout: places, texts, fonts, the one tab stop, and the link's configuration.
#include "forms/f_about.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "toolkit/Application.h"

namespace {

class AboutFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FApp = std::make_unique<TApplication>();
        FApp->Initialize();
        FApp->SetTitle("Varnel");
        FAbout = new TFrm_about(FApp.get());
    }
    void TearDown() override { FApp.reset(); }

    std::unique_ptr<TApplication> FApp;
    TFrm_about* FAbout = nullptr;
};

TEST_F(AboutFormTest, ControlsStandWhereTheLayoutPutsThemWithTheirTexts)
{
    const struct {
        int Id;
        int Left, Top, Width, Height;
        const char* Text;
    } rows[] = {
        {idAboutPanel1, 0, 0, 272, 170, nullptr},
        {idAboutProgramIcon, 8, 20, 65, 57, nullptr},
        {idAboutProductName, 90, 16, 72, 16, "Varnel"},
        {idAboutVersion, 90, 40, 83, 16, "Sürüm 1.68"},
        {idAboutUcURLLabel1, 90, 64, 159, 16, "varnel.example.org"},
        {idAboutUcBitBtn1, 166, 120, 90, 25, "&Tamam"},
    };
    HWND form = FAbout->Handle();
    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 272);
    EXPECT_EQ(client.bottom, 170);
    EXPECT_EQ(FAbout->Caption(), "Hakkında...");
    EXPECT_EQ(GetWindowLongA(form, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    HWND panel = GetDlgItem(form, idAboutPanel1);
    for (const auto& row : rows) {
        HWND w = row.Id == idAboutPanel1 ? panel : GetDlgItem(panel, row.Id);
        ASSERT_NE(w, nullptr) << row.Id;
        RECT r;
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, row.Left) << row.Id;
        EXPECT_EQ(r.top, row.Top) << row.Id;
        EXPECT_EQ(r.right - r.left, row.Width) << row.Id;
        EXPECT_EQ(r.bottom - r.top, row.Height) << row.Id;
        if (row.Text) {
            char text[64] = "";
            GetWindowTextA(w, text, sizeof text);
            EXPECT_STREQ(text, row.Text) << row.Id;
        }
    }
}

TEST_F(AboutFormTest, OnlyTheDefaultButtonTakesTheFocusAndNothingCancels)
{
    FAbout->Show();
    FApp->ProcessMessages();
    EXPECT_EQ(GetFocus(), FAbout->UcBitBtn1->Handle());
    const auto tabs = FAbout->TabList();
    ASSERT_EQ(tabs.size(), 1u);
    EXPECT_EQ(tabs.front(), FAbout->UcBitBtn1);
    EXPECT_TRUE(FAbout->UcBitBtn1->Default);
    EXPECT_FALSE(FAbout->UcBitBtn1->Cancel);
    EXPECT_EQ(FAbout->UcBitBtn1->TabOrder(), 0);
}

TEST_F(AboutFormTest, TheLinkOpensTheProductsAddressInAnUnderlinedHighlightWithoutFrame)
{
    TUcURLLabel* link = FAbout->UcURLLabel1;
    EXPECT_EQ(link->URL, "https://varnel.example.org");
    EXPECT_FALSE(link->Visited());
    EXPECT_EQ(link->FrameSides(), 0u);
    EXPECT_EQ(link->TextStyle(), tsNormal);
    EXPECT_FALSE(link->FlyByEnabled());
    EXPECT_EQ(link->Cursor, crUcHand);
    EXPECT_EQ(link->Font().Name(), "Verdana");
    EXPECT_EQ(link->Font().Height(), 13);
    EXPECT_TRUE(link->Font().Bold());
    EXPECT_TRUE(link->Font().Underline());
    EXPECT_EQ(link->Font().Charset(), 162);
    EXPECT_EQ(link->Font().Color(), clHighlight);
    EXPECT_EQ(link->UnvisitedColor(), clHighlight);
    EXPECT_EQ(link->VisitedColor(), 0x800080);
    // The other labels take the box's font: plain, window-text coloured.
    EXPECT_FALSE(FAbout->ProductName->Font().Underline());
    EXPECT_TRUE(FAbout->ProductName->Font().Bold());
    EXPECT_EQ(FAbout->Version->Font().Color(), clWindowText);
}

} // namespace
