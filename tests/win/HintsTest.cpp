// The main window's picture-only controls carry hints, and a hint appears where the mouse rests.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestApplication.h"
#include "forms/main.h"
#include "toolkit/Hints.h"

namespace {

class HintsTest : public TFormTest<TForm1> {
protected:
    THints& Hints() { return *FindAs<THints>(Form, "Hints1"); }
    TControl& Control(const char* name) { return *FindAs<TControl>(Form, name); }
};

TEST_F(HintsTest, TheRecipientButtonsAndTheStatusBallSayWhatTheyAre)
{
    ASSERT_NE(Hints().Handle(), nullptr) << "the loop has run: the tooltip window exists";
    EXPECT_EQ(Hints().Text(Control("Btn_Tek")), "Bilgisayar seç");
    EXPECT_EQ(Hints().Text(Control("Btn_Toplu")), "Toplu gönderim listesi");
    EXPECT_EQ(Hints().Text(Control("Image1")), "Durum: kırmızı top, mesaj henüz gönderilmedi; yeşil top, mesaj gönderildi");
    EXPECT_EQ(Hints().Text(Control("Btn_Gonder")), "") << "a button with a caption needs no hint";
    EXPECT_TRUE(Errors.empty());
}

TEST_F(HintsTest, HintsAddedBeforeTheLoopMakesTheWindowAreKeptAndThenShownByIt)
{
    auto* later = new THints(Form); // the form owns it
    later->Add(Control("Btn_Gonder"), "Gönder");
    EXPECT_EQ(later->Handle(), nullptr) << "made by the loop, after the first paint";
    EXPECT_EQ(later->Text(Control("Btn_Gonder")), "Gönder");
    ASSERT_TRUE(PumpUntil([&] { return later->Handle() != nullptr; })) << "no window within 5 s";
    EXPECT_EQ(later->Text(Control("Btn_Gonder")), "Gönder");
    EXPECT_EQ(later->Text(Control("Btn_Tek")), "");
}

TEST_F(HintsTest, AHintShowsWhileTheMouseRestsOnTheButton)
{
    RECT r;
    GetWindowRect(Control("Btn_Toplu").Handle(), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(Hints().Handle()) != FALSE; })) << "no hint within 5 s";
    SetCursorPos(0, 0);
}

} // namespace
