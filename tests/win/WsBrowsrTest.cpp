// The folder-browsing dialog's status line: what SetStatusText shows while the dialog is open.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestApplication.h"
#include "components/WsBrowsr.h"

namespace {

constexpr int kStatusControlId = 0x3743; // the dialog's status line

std::string StatusLine(HWND dialog)
{
    char text[256] = "";
    GetDlgItemTextA(dialog, kStatusControlId, text, sizeof(text));
    return text;
}

TEST(WsBrowserTest, StatusTextIsShownWhenSetStatusTextReturns)
{
    std::vector<std::string> errors;
    auto application = MakeTestApplication(errors);
    auto* browser = new TWsBrowser(application.get());
    browser->SetStatusText("Başlangıç");
    std::vector<std::string> seen;
    browser->OnShow = [&](TObject*) {
        HWND dialog = browser->DialogHandle();
        ASSERT_NE(GetDlgItem(dialog, kStatusControlId), nullptr);
        seen.push_back(StatusLine(dialog));
        // Each assignment replaces the stored string; the dialog must already hold a copy of the one before.
        for (const char* text : {"İkinci durum", "Üçüncü ve çok daha uzun bir durum satırı, başka bir bellekte"}) {
            browser->SetStatusText(text);
            seen.push_back(StatusLine(dialog));
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_FALSE(browser->Execute());
    EXPECT_EQ(seen, (std::vector<std::string>{"Başlangıç", "İkinci durum",
                        "Üçüncü ve çok daha uzun bir durum satırı, başka bir bellekte"}));
    EXPECT_TRUE(errors.empty());
}

} // namespace
