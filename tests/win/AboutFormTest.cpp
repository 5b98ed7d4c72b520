// The about box: the one tab stop, and the colours it takes from the window that opens it.
#include "forms/f_about.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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

// The box knows the main window only through its requests: it takes the background it is given at every showing.
TEST_F(AboutFormTest, TheBoxShowsTheBackgroundOfTheWindowThatOpensIt)
{
    struct TMain : TMainWindowRequests {
        TColorTheme Colours{0x808000, 0xFFFFFF, 0x000080};
        TColorTheme Theme() const override { return Colours; }
        void ApplyTheme(const TColorTheme&) override {}
        void TakeBulkRecipients(std::vector<std::string>) override {}
        std::vector<std::string> RetryRecipients() const override { return {}; }
        void PutIntoMemo(const std::string&) override {}
        void ReturnToMemo() override {}
    } main;
    // The show handler, as every showing runs it.
    FAbout->DoShow();
    EXPECT_EQ(FAbout->Panel1->Color(), 0xFF8080) << "without a main window the box keeps its own colour";
    FAbout->SetMainWindow(&main);
    FAbout->DoShow();
    EXPECT_EQ(FAbout->Panel1->Color(), 0x808000);
    main.Colours = {0x008000, 0xFFFFFF, 0xFFFFFF};
    FAbout->DoShow();
    EXPECT_EQ(FAbout->Panel1->Color(), 0x008000);
}

} // namespace
