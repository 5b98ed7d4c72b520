// The about box as built: its caption, the one tab stop, and the link's configuration.
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

// Where the controls stand is checked with every other window's in FormLayoutTest.
TEST_F(AboutFormTest, TheBoxIsCaptionedForTheTaskListAndHasNoFrame)
{
    EXPECT_EQ(FAbout->Caption(), "Hakkında...");
    EXPECT_EQ(GetWindowLongA(FAbout->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
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
    EXPECT_EQ(link->Font().Charset(), TURKISH_CHARSET);
    EXPECT_EQ(link->Font().Color(), clHighlight);
    EXPECT_EQ(link->UnvisitedColor(), clHighlight);
    EXPECT_EQ(link->VisitedColor(), static_cast<TColor>(RGB(128, 0, 128))); // purple
    // The other labels take the box's font: plain, window-text coloured.
    EXPECT_FALSE(FAbout->ProductName->Font().Underline());
    EXPECT_TRUE(FAbout->ProductName->Font().Bold());
    EXPECT_EQ(FAbout->Version->Font().Color(), clWindowText);
}

} // namespace
