// TFrm_Toplu: the bulk picker's stored layout, its refill at every showing and its buttons.
#include "forms/f_Toplu.h"

#include <functional>
#include <memory>

#include "core/BulkSend.h"
#include "toolkit/BackgroundCall.h"
#include "toolkit/Layout.h"
#include "toolkit/ThemeParts.h"

TFrm_Toplu* Frm_Toplu = nullptr;

namespace {

constexpr int kTurkishCharset = 162;
constexpr TFontSpec kVerdanaBold{"Verdana", 11, true, kTurkishCharset};
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
// The enumeration's own browse-master fallback ends within 5 s; the platform's call has no bound of ours.
constexpr DWORD kEnumerationEndBoundMs = 7000;
constexpr char kLookingText[] = "Ağdaki bilgisayarlar aranıyor...";

const TLayoutRow kLayout[] = {
    {"Panel1", Make<TUcPanel>, nullptr, 0, 0, 350, 301, nullptr, -1, TTabStop::No, &kVerdanaBold, idTopluPanel1},
    {"CL_Computers", Make<TUcCheckList>, "Panel1", 20, 16, 302, 234, nullptr, 1, TTabStop::Yes, &kVerdanaBold,
     idCL_Computers},
    {"Btn_Hepsini_Sec", Make<TUcBitBtn>, "Panel1", 20, 264, 86, kButtonHeight, "Hepsini Seç", 2, TTabStop::Yes,
     nullptr, idBtn_Hepsini_Sec},
    {"Btn_Hepsini_Temizle", Make<TUcBitBtn>, "Panel1", 107, 264, kButtonWidth, kButtonHeight, "Temizle", 3,
     TTabStop::Yes, nullptr, idBtn_Hepsini_Temizle},
    {"Btn_Kapat", Make<TUcBitBtn>, "Panel1", 245, 264, kButtonWidth, kButtonHeight, "&Kapat", 0, TTabStop::Yes,
     nullptr, idBtn_Kapat_Toplu},
};

}  // namespace

TFrm_Toplu::TFrm_Toplu(TComponent* AOwner) : TForm(AOwner, "TFrm_Toplu", 350, 301)
{
    SetCaption("Frm_Toplu");
    SetColor(clBtnFace);

    // Only configuration: nothing here opens a service manager or a connection.
    NTService1 = new TNTService(this);
    NTService1->SetName("NTService1");

    BuildLayout(this, kLayout);
    Panel1 = FindAs<TUcPanel>(this, "Panel1");
    CL_Computers = FindAs<TUcCheckList>(this, "CL_Computers");
    Btn_Hepsini_Sec = FindAs<TUcBitBtn>(this, "Btn_Hepsini_Sec");
    Btn_Hepsini_Temizle = FindAs<TUcBitBtn>(this, "Btn_Hepsini_Temizle");
    Btn_Kapat = FindAs<TUcBitBtn>(this, "Btn_Kapat");
    FEnumeration = std::make_unique<TBackgroundCall>("TFrm_Toplu.Enumeration", kEnumerationEndBoundMs);

    CL_Computers->SetItemHeight(15);
    CL_Computers->SetToggleOnItemClick(true);

    using namespace std::placeholders;
    OnShow = std::bind(&TFrm_Toplu::FormShow, this, _1);
    Btn_Hepsini_Sec->OnClick = std::bind(&TFrm_Toplu::Btn_Hepsini_SecClick, this, _1);
    Btn_Hepsini_Temizle->OnClick = std::bind(&TFrm_Toplu::Btn_Hepsini_TemizleClick, this, _1);
    Btn_Kapat->OnClick = std::bind(&TFrm_Toplu::Btn_KapatClick, this, _1);
    DragByBackground(*Panel1);
    NotifyLoaded();
}

TFrm_Toplu::~TFrm_Toplu() = default;

// The window opens at once; the list fills when the enumeration's answer comes. An answer that comes after the
// window was closed, or for an earlier showing, is dropped.
void TFrm_Toplu::FormShow(TObject*)
{
    if (FMainWindow)
        ApplyColorTheme(FMainWindow->Theme(), {Panel1});
    SetLooking(true);
    // The worker makes its own component and owns the list, so a window gone meanwhile leaves it nothing to touch.
    auto list = std::make_shared<std::unique_ptr<TServerList>>();
    FEnumeration->Start(
        [list] {
            TNTService service(nullptr);
            service.NotifyLoaded(); // built, so a failing status is reported
            *list = service.GetServerList("");
        },
        [this, list](std::exception_ptr failure) {
            if (!Visible())
                return;
            SetLooking(false);
            if (failure)
                std::rethrow_exception(failure);
            Fill(**list);
        });
}

void TFrm_Toplu::SetLooking(bool looking)
{
    TCheckListStrings& items = CL_Computers->Items();
    items.Clear();
    if (looking) {
        items.Add(kLookingText);
    }
    CL_Computers->SetEnabled(!looking);
    Btn_Hepsini_Sec->SetEnabled(!looking);
    Btn_Hepsini_Temizle->SetEnabled(!looking);
}

// The computers the next Gönder would retry are shown checked, so the user sees where it goes.
void TFrm_Toplu::Fill(const TServerList& list)
{
    TCheckListStrings& items = CL_Computers->Items();
    const TCheckListStrings::TUpdate update(items);
    for (const std::string& entry : list)
        items.Add(entry.size() >= 2 ? entry.substr(2) : std::string());
    if (FMainWindow)
        for (const std::string& name : FMainWindow->RetryRecipients()) {
            const int index = items.IndexOf(name);
            if (index != -1)
                items.SetItemState(index, cbChecked);
        }
}

void TFrm_Toplu::SetAllStates(TCheckBoxState state)
{
    TCheckListStrings& items = CL_Computers->Items();
    const TCheckListStrings::TUpdate update(items);
    for (int i = 0; i < items.Count(); ++i)
        items.SetItemState(i, state);
}

void TFrm_Toplu::Btn_Hepsini_SecClick(TObject*) { SetAllStates(cbChecked); }

void TFrm_Toplu::Btn_Hepsini_TemizleClick(TObject*) { SetAllStates(cbUnchecked); }

std::vector<std::string> TFrm_Toplu::CheckedComputers() const
{
    const TCheckListStrings& items = CL_Computers->Items();
    std::vector<TPickerItem> lines;
    for (int i = 0; i < items.Count(); ++i)
        lines.push_back({items.Get(i), items.ItemState(i) == cbChecked});
    return PlanBulkRecipients(lines);
}

void TFrm_Toplu::Btn_KapatClick(TObject*)
{
    // The sender's recipient stays the computer chosen in the browse dialog, for single sends.
    if (CL_Computers->ItemIndex() != -1 && FMainWindow)
        FMainWindow->TakeBulkRecipients(CheckedComputers());
    Close();
}

