// TFrm_History: the history window's stored layout and its commands.
#include "forms/f_history.h"

#include "resource.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Layout.h"
#include "toolkit/ThemeParts.h"

TFrm_History* Frm_History = nullptr;

namespace {

constexpr int kTurkishCharset = 162;
constexpr TFontSpec kPanelFont{"Verdana", 13, true, kTurkishCharset};
constexpr TFontSpec kControlFont{"Verdana", 11, true, kTurkishCharset};
constexpr TColor kDesignColor = 0xFF8080;

const TLayoutRow kLayout[] = {
    {"Panel1", Make<TUcPanel>, nullptr, 0, 0, 350, 300, nullptr, 0, TTabStop::No, &kPanelFont, idHistoryPanel1},
    {"LB_HistoryLabel1", Make<TEcAttachedLabel>, "Panel1", 16, 14, 153, 16, "Gönderilen Mesajlar :", -1, TTabStop::No,
        nullptr, idLB_HistoryLabel1},
    {"LB_History", Make<TEcSearchList>, "Panel1", 16, 32, 321, 209, nullptr, 3, TTabStop::Yes, &kControlFont,
        idLB_History},
    {"Btn_Tamam", Make<TUcBitBtn>, "Panel1", 163, 260, 86, 25, "&Tamam", 0, TTabStop::Yes, &kControlFont, idBtn_Tamam},
    {"Btn_iptal", Make<TUcBitBtn>, "Panel1", 253, 260, 75, 25, "&Kapat", 1, TTabStop::Yes, &kControlFont, idBtn_iptal},
    {"Btn_Temizle", Make<TUcBitBtn>, "Panel1", 15, 260, 75, 25, "Temizle", 2, TTabStop::Yes, &kControlFont,
        idBtn_Temizle},
    {"LB_SendRunning", Make<TLabel>, "Panel1", 16, 243, 321, 15, "Gönderim sürüyor; bitince seçebilirsiniz.", -1,
        TTabStop::No, &kControlFont, idLB_SendRunning},
};

}

TFrm_History::TFrm_History(TComponent* AOwner) : TForm(AOwner, "TFrm_History", 350, 300)
{
    SetCaption("Frm_History");
    // The search list takes its typing-pause timer from the first controller of its window: it comes first.
    EcController1 = new TEcController(this);
    EcController1->SetName("EcController1");
    BuildLayout(this, kLayout);

    Panel1 = FindAs<TUcPanel>(this, "Panel1");
    LB_HistoryLabel1 = FindAs<TEcAttachedLabel>(this, "LB_HistoryLabel1");
    LB_History = FindAs<TEcSearchList>(this, "LB_History");
    Btn_Tamam = FindAs<TUcBitBtn>(this, "Btn_Tamam");
    Btn_iptal = FindAs<TUcBitBtn>(this, "Btn_iptal");
    Btn_Temizle = FindAs<TUcBitBtn>(this, "Btn_Temizle");
    LB_SendRunning = FindAs<TLabel>(this, "LB_SendRunning");
    LB_SendRunning->SetVisible(false);

    Panel1->SetColor(kDesignColor);
    LB_HistoryLabel1->SetControl(LB_History);
    LB_History->SetAutoSearch(true);
    LB_History->SetAutoSelect(true);
    LB_History->SetBorderStyle(TBorderStyle::bsSingle);
    LB_History->SetCaseSensitive(false);
    LB_History->SetColumns(0);
    LB_History->SetHideSelection(true);
    LB_History->SetItemHeight(13);
    LB_History->SetKeyDelay(300);
    LB_History->SetPasswordChar('\0');
    LB_History->SetShowResults(true);
    LB_History->SetCtl3D(true);
    Btn_Tamam->Default = true;
    Btn_Tamam->SetGlyph(LoadResourceIcon(IDI_GLYPH_OK));
    Btn_iptal->Cancel = true;
    Btn_iptal->SetGlyph(LoadResourceIcon(IDI_GLYPH_CANCEL));

    using namespace std::placeholders;
    OnShow = std::bind(&TFrm_History::FormShow, this, _1);
    Btn_Tamam->OnClick = std::bind(&TFrm_History::Btn_TamamClick, this, _1);
    Btn_iptal->OnClick = std::bind(&TFrm_History::Btn_iptalClick, this, _1);
    Btn_Temizle->OnClick = std::bind(&TFrm_History::Btn_TemizleClick, this, _1);
    LB_History->OnDblClick = std::bind(&TFrm_History::LB_HistoryDblClick, this, _1);
    DragByBackground(*Panel1);
    NotifyLoaded();
}

TFrm_History::~TFrm_History()
{
    // The history outlives this window: it must not tell a list that is gone.
    if (FHistory) {
        FHistory->OnAdded = nullptr;
        FHistory->OnCleared = nullptr;
    }
    if (Frm_History == this)
        Frm_History = nullptr;
}

void TFrm_History::ShowHistory(std::shared_ptr<TSendHistory> history)
{
    FHistory = std::move(history);
    TStrings& items = LB_History->Items();
    items.Clear();
    for (const std::string& text : FHistory->Entries())
        items.Add(text);
    FHistory->OnAdded = [this](const std::string& text) { LB_History->Items().Add(text); };
    FHistory->OnCleared = [this] { LB_History->Items().Clear(); };
}

void TFrm_History::FormShow(TObject*)
{
    if (FMainWindow)
        ApplyColorTheme(FMainWindow->Theme(), {Panel1, Panel1, {LB_History}, true});
    // The selection stays from the last showing; only the search starts afresh.
    LB_History->SearchEdit()->Clear();
    SetActiveControl(LB_History->SearchEdit());
    LB_History->SearchEdit()->SetFocus();
}

void TFrm_History::SetSendRunning(bool running)
{
    FSendRunning = running;
    Btn_Tamam->SetEnabled(!running);
    LB_SendRunning->SetVisible(running);
}

void TFrm_History::Btn_TamamClick(TObject*)
{
    if (FSendRunning)
        return; // a double click meanwhile: the line under the list says why nothing happens
    const int index = LB_History->ItemIndex();
    if (index == -1) {
        MessageDlg("Hiç bir mesajı seçmediniz!", TMsgDlgType::mtWarning, mbOK, 0);
        LB_History->SearchEdit()->SetFocus();
        return;
    }
    if (FMainWindow)
        FMainWindow->PutIntoMemo(LB_History->Items().Get(index));
    Close();
}

void TFrm_History::LB_HistoryDblClick(TObject* Sender) { Btn_TamamClick(Sender); }

void TFrm_History::Btn_TemizleClick(TObject*)
{
    if (FHistory)
        FHistory->Clear();
    else
        LB_History->Items().Clear();
}

void TFrm_History::Btn_iptalClick(TObject*)
{
    if (FMainWindow)
        FMainWindow->ReturnToMemo();
    Close();
}

