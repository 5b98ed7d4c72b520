// TForm1: the main window's stored layout, its start-up configuration and its commands.
#include "forms/main.h"

#include "core/ProgramTexts.h"
#include "core/Text.h"
#include "core/SendHistory.h"
#include "core/SettingsFile.h"
#include "forms/f_about.h"
#include "forms/f_Toplu.h"
#include "forms/f_history.h"
#include "forms/f_ayarlar.h"
#include "net/ThisComputer.h"
#include "resource.h"
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Hints.h"
#include "toolkit/Layout.h"
#include "toolkit/ProgressIcon.h"
#include "toolkit/ThemeParts.h"

#include <functional>
#include <type_traits>

TForm1* Form1 = nullptr;
char WinDirBuffer[kWinDirBufferSize] = "";

namespace {

constexpr int kTurkishCharset = 162;
constexpr TFontSpec kFormFont{"Verdana", 13, true, kTurkishCharset};
constexpr TFontSpec kPanelFont{"Verdana", 11, true, kTurkishCharset};
constexpr TFontSpec kLabelFont{"Verdana", 13, true, kTurkishCharset};
constexpr TFontSpec kCloseFont{"Verdana", 12, true, kTurkishCharset};
constexpr TColor kDesignColor = 0xFF8080;

// The tab order counts only among the panel's children; Btn_Alt_S lies below the visible client area.
const TLayoutRow kLayout[] = {
    {"Panel1", Make<TUcPanel>, nullptr, 0, 0, 350, 300, nullptr, 0, TTabStop::No, &kPanelFont, idPanel1},
    {"Label2", Make<TLabel>, "Panel1", 20, 8, 45, 16, "Kime :", -1, TTabStop::No, &kLabelFont, idLabel2},
    {"Edt_Bilgisayar", Make<TEdit>, "Panel1", 20, 32, 172, 25, nullptr, 6, TTabStop::Yes, nullptr, idEdt_Bilgisayar},
    {"Btn_Tek", Make<TUcBitBtn>, "Panel1", 195, 32, 30, 25, "Btn_Tek", 9, TTabStop::Yes, nullptr, idBtn_Tek},
    {"Btn_Toplu", Make<TUcBitBtn>, "Panel1", 228, 32, 30, 25, "", 2, TTabStop::Yes, nullptr, idBtn_Toplu},
    {"Btn_Kucult", Make<TButton>, "Panel1", 290, 6, 25, 20, "_", 3, TTabStop::Yes, nullptr, idBtn_Kucult},
    {"Btn_Kapat", Make<TButton>, "Panel1", 316, 6, 25, 20, "X", 4, TTabStop::Yes, &kCloseFont, idBtn_Kapat},
    {"Label1", Make<TLabel>, "Panel1", 20, 73, 52, 16, "Mesaj :", -1, TTabStop::No, &kLabelFont, idLabel1},
    {"Image1", Make<TImage>, "Panel1", 81, 73, 19, 19, nullptr, -1, TTabStop::No, nullptr, idImage1},
    {"MesajMemo", Make<TMemo>, "Panel1", 20, 97, 313, 136, nullptr, 0, TTabStop::Yes, nullptr, idMesajMemo},
    {"Btn_Ayarlar", Make<TUcBitBtn>, "Panel1", 20, 248, 85, 24, "&Ayarlar", 8, TTabStop::Yes, nullptr, idBtn_Ayarlar},
    {"Btn_History", Make<TUcBitBtn>, "Panel1", 109, 249, 83, 24, "G&eçmiş", 5, TTabStop::Yes, nullptr, idBtn_History},
    {"Btn_Gonder", Make<TUcBitBtn>, "Panel1", 240, 249, 91, 25, "&Gönder", 1, TTabStop::Yes, nullptr, idBtn_Gonder},
    {"Btn_Alt_S", Make<TButton>, "Panel1", 144, 344, 75, 25, "Btn_Alt_&S", 7, TTabStop::No, nullptr, idBtn_Alt_S},
};

// The icon's menu still works while a window is shown modally: choosing the same command again brings the open
// window forward rather than opening a second one over it.
template <typename T>
void ShowForOneOpening(T*& window, const std::function<void(std::type_identity_t<T>&)>& prepare = nullptr)
{
    if (window) {
        window->BringForward();
        return;
    }
    window = new T(Application);
    if (prepare)
        prepare(*window);
    struct TDestroyAfterShowing {
        T*& Window;
        ~TDestroyAfterShowing()
        {
            delete Window;
            Window = nullptr;
        }
    } destroy{window};
    window->ShowModal();
}

// A window built at start-up is missing when building it failed then; the command says so instead of crashing.
void ShowStartUpWindow(TForm* window, const std::string& missingText)
{
    if (!window)
        throw Exception(missingText);
    if (window->Modal())
        window->BringForward();
    else
        window->ShowModal();
}

} // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner, "TForm1", 350, 300)
{
    SetCaption("Korvent Soft");
    SetColor(kDesignColor);
    Font().Assign([] {
        TFont f;
        f.SetName(kFormFont.Name);
        f.SetHeight(kFormFont.Height);
        f.SetBold(kFormFont.Bold);
        f.SetCharset(kFormFont.Charset);
        return f;
    }());
    CreateComponents();
    BuildLayout(this, kLayout);

    Panel1 = FindAs<TUcPanel>(this, "Panel1");
    Label2 = FindAs<TLabel>(this, "Label2");
    Edt_Bilgisayar = FindAs<TEdit>(this, "Edt_Bilgisayar");
    Btn_Tek = FindAs<TUcBitBtn>(this, "Btn_Tek");
    Btn_Toplu = FindAs<TUcBitBtn>(this, "Btn_Toplu");
    Btn_Kucult = FindAs<TButton>(this, "Btn_Kucult");
    Btn_Kapat = FindAs<TButton>(this, "Btn_Kapat");
    Label1 = FindAs<TLabel>(this, "Label1");
    Image1 = FindAs<TImage>(this, "Image1");
    MesajMemo = FindAs<TMemo>(this, "MesajMemo");
    Btn_Ayarlar = FindAs<TUcBitBtn>(this, "Btn_Ayarlar");
    Btn_History = FindAs<TUcBitBtn>(this, "Btn_History");
    Btn_Gonder = FindAs<TUcBitBtn>(this, "Btn_Gonder");
    Btn_Alt_S = FindAs<TButton>(this, "Btn_Alt_S");

    Panel1->SetColor(kDesignColor);
    Panel1->SetPopupMenu(PopupMenu1);
    Edt_Bilgisayar->SetReadOnly(true);
    Btn_Kapat->Cancel = true;
    Btn_Tek->SetGlyph(LoadResourceIcon(IDI_GLYPH_PERSON));
    Btn_Toplu->SetGlyph(LoadResourceIcon(IDI_GLYPH_PEOPLE));
    Btn_Ayarlar->SetGlyph(LoadResourceIcon(IDI_GLYPH_OPTIONS));
    Btn_History->SetGlyph(LoadResourceIcon(IDI_GLYPH_BACK));
    Btn_History->Margin = 0;
    Btn_Gonder->SetGlyph(LoadResourceIcon(IDI_GLYPH_ENVELOPE));
    SetActiveControl(MesajMemo);
    // The two recipient buttons and the status ball show only pictures: a hint says what they are.
    auto* hints = new THints(this);
    hints->SetName("Hints1");
    hints->Add(*Btn_Tek, "Bilgisayar seç");
    hints->Add(*Btn_Toplu, "Toplu gönderim listesi");
    hints->Add(*Image1, "Durum: kırmızı top, mesaj henüz gönderilmedi; yeşil top, mesaj gönderildi");

    BindHandlers();
    NotifyLoaded();
}

void TForm1::CreateComponents()
{
    NetMessage1 = new TWsNetMessage(this);
    NetMessage1->SetName("NetMessage1");

    BulkSender1 = new TWsBulkSender(this);
    BulkSender1->SetName("BulkSender1");
    FTaskbar = std::make_unique<TTaskbarProgress>();

    Browser1 = new TWsBrowser(this);
    Browser1->SetName("Browser1");
    Browser1->AdditionalText = "Mesaj Göndereceğiniz Bilgisayarı Seçin";
    Browser1->Caption = "Gözat";
    Browser1->Options = {TWsBrowseOption::boBrowseForComputer, TWsBrowseOption::boReturnOnlyDirs};
    Browser1->SetSpecialRootFolder(TWsSpecialRootFolder::sfNetwork);

    ImageList1 = new TImageList(this);
    ImageList1->SetName("ImageList1");
    ImageList1->AddFromResource(IDB_IMAGELIST1);

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    PopupMenu1->Images = ImageList1;
    auto item = [this](const char* name, const char* caption) {
        auto* menuItem = new TMenuItem(this);
        menuItem->SetName(name);
        menuItem->Caption = caption;
        PopupMenu1->Add(menuItem);
        return menuItem;
    };
    Ac1 = item("Ac1", "Aç");
    N1 = item("N1", "-");
    Kapat1 = item("Kapat1", "Kapat");
    Kapat1->SetIcon(LoadResourceIcon(IDI_MENU_CLOSE));
    N2 = item("N2", "-");
    Ayarlar1 = item("Ayarlar1", "Ayarlar");
    Ayarlar1->ImageIndex = 3;
    N3 = item("N3", "-");
    ProgramHakkinda1 = item("ProgramHakkinda1", "Program Hakkında...");
    ProgramHakkinda1->SetIcon(LoadResourceIcon(IDI_MENU_INFO));

    // Every setting at its default: in a second copy it brings the first forward and ends this one.
    SiOneInstance1 = new TSiOneInstance(this);
    SiOneInstance1->SetName("SiOneInstance1");

    TrayIcon1 = new TWsTrayIcon(this);
    TrayIcon1->SetName("TrayIcon1");
    TrayIcon1->SetHint("Varnel (Ağ Mesajlaşması)");
    const TIconHandle programIcon(LoadResourceIcon(IDI_VARNEL));
    TrayIcon1->SetIcon(programIcon.Get());
    // "_" and "X" post minimise and close to this window; the icon sees this window's messages first (from its
    // first add) and turns both into hiding the program in the notification area, so nothing ends.
    TrayIcon1->MinimizeToTray = true;
    TrayIcon1->SetPopupMenu(PopupMenu1);
}

void TForm1::BindHandlers()
{
    using namespace std::placeholders;
    Btn_Gonder->OnClick = std::bind(&TForm1::Btn_GonderClick, this, _1);
    Btn_Alt_S->OnClick = std::bind(&TForm1::Btn_GonderClick, this, _1);
    Btn_Tek->OnClick = std::bind(&TForm1::Btn_TekClick, this, _1);
    Btn_Toplu->OnClick = std::bind(&TForm1::Btn_TopluClick, this, _1);
    Btn_History->OnClick = std::bind(&TForm1::Btn_HistoryClick, this, _1);
    Btn_Ayarlar->OnClick = std::bind(&TForm1::Btn_AyarlarClick, this, _1);
    Ayarlar1->OnClick = std::bind(&TForm1::Btn_AyarlarClick, this, _1);
    ProgramHakkinda1->OnClick = std::bind(&TForm1::ProgramHakkinda1Click, this, _1);
    Btn_Kucult->OnClick = std::bind(&TForm1::Btn_KucultClick, this, _1);
    Btn_Kapat->OnClick = std::bind(&TForm1::Btn_KapatClick, this, _1);
    Kapat1->OnClick = std::bind(&TForm1::Kapat1Click, this, _1);
    Ac1->OnClick = std::bind(&TForm1::Ac1Click, this, _1);
    DragByBackground(*Panel1);
    MesajMemo->OnKeyPress = std::bind(&TForm1::MesajMemoKeyPress, this, _1, _2);
    NetMessage1->OnMessageSent = std::bind(&TForm1::NetMessage1MessageSent, this, _1);
    NetMessage1->OnFinished = [this](TObject* sender, std::exception_ptr failure) { NetMessage1Finished(sender, failure); };
    BulkSender1->OnDelivered = std::bind(&TForm1::BulkSender1Delivered, this, _1, _2);
    BulkSender1->OnProgress = std::bind(&TForm1::BulkSender1Progress, this, _1, _2);
    BulkSender1->OnFinished = std::bind(&TForm1::BulkSender1Finished, this, _1, _2);
    OnShow = std::bind(&TForm1::FormShow, this, _1);
}

TColorTheme TForm1::Theme() const
{
    return {Panel1->Color(), Edt_Bilgisayar->Color(), Panel1->Font().Color()};
}

void TForm1::ApplyTheme(const TColorTheme& theme)
{
    ApplyColorTheme(theme, {Panel1, Panel1, {Edt_Bilgisayar, MesajMemo}});
}

void TForm1::TakeBulkRecipients(std::vector<std::string> recipients)
{
    Edt_Bilgisayar->SetText(kBulkMarker);
    FBulkRecipients = std::move(recipients);
    ForgetRetry();
}

std::vector<std::string> TForm1::RetryRecipients() const
{
    return MesajMemo->Text() == FRetryText ? FRetryRecipients : std::vector<std::string>();
}

void TForm1::ForgetRetry()
{
    ++FChoiceCount;
    FRetryRecipients.clear();
    FRetryText.clear();
}

void TForm1::PutIntoMemo(const std::string& text)
{
    MesajMemo->SetText(text);
    ShowStatusPicture(1);
    ReturnToMemo();
}

void TForm1::ReturnToMemo() { SetActiveControl(MesajMemo); }

void TForm1::ShowStatusPicture(int index) { Image1->Assign(*ImageList1, index); }

void TForm1::Btn_GonderClick(TObject*)
{
    const std::string memoText = MesajMemo->Text();
    if (Edt_Bilgisayar->Text() == kBulkMarker) {
        SendToBulkRecipients(memoText);
        return;
    }
    if (!CanSend(memoText, Edt_Bilgisayar->Text())) {
        MessageDlg("Lütfen Kime göndereceğinizi seçin ve mesajınızı yazın", TMsgDlgType::mtWarning, mbOK, 0);
        return;
    }
    NetMessage1->MsgText = memoText;
    FSingleText = memoText;
    NetMessage1->Start(); // its end is posted, so it comes after the controls below are set
    SetSending(true);
    Image1->SetIcon(MakeProgressIcon(0));
}

void TForm1::NetMessage1Finished(TObject*, std::exception_ptr failure)
{
    SetSending(false);
    if (failure) { // nothing recorded, the memo keeps its text
        ShowStatusPicture(1);
        std::rethrow_exception(failure);
    }
    History->Record(FSingleText);
    MesajMemo->Clear();
}

void TForm1::SendToBulkRecipients(const std::string& memoText)
{
    if (Trim(memoText).empty() || FBulkRecipients.empty()) {
        MessageDlg("Lütfen Kime göndereceğinizi seçin ve mesajınızı yazın", TMsgDlgType::mtWarning, mbOK, 0);
        return;
    }
    // The failed ones get the text that failed for them again; a changed text goes to the whole choice.
    const std::vector<std::string> retry = RetryRecipients();
    FBulkText = memoText;
    FBulkSentTo = retry.empty() ? FBulkRecipients : retry;
    FChoiceAtStart = FChoiceCount;
    SetSending(true);
    try {
        BulkSender1->Start(NetMessage1->StoredServer(), NetMessage1->MsgFrom, memoText, FBulkSentTo);
    } catch (...) {
        SetSending(false);
        throw;
    }
    if (BulkSender1->Busy())
        BulkSender1Progress(BulkSender1, BulkSender1->Progress());
}

// While a send runs, the message it sends stays as it is, no second send can start and no history pick can
// overwrite the memo.
void TForm1::SetSending(bool sending)
{
    Btn_Gonder->SetEnabled(!sending);
    Btn_Alt_S->SetEnabled(!sending);
    MesajMemo->SetReadOnly(sending);
    if (Frm_History)
        Frm_History->SetSendRunning(sending);
    if (!sending)
        FTaskbar->Clear(Application->Handle());
}

void TForm1::BulkSender1Delivered(TObject*, const std::string&) { Fire(NetMessage1->OnMessageSent, NetMessage1); }

void TForm1::BulkSender1Progress(TObject*, const TBulkProgress& progress)
{
    if (!BulkSender1->Busy())
        return; // the last result: what the send came to is shown by the finish
    Image1->SetIcon(MakeProgressIcon(progress.PerMille()));
    FTaskbar->Show(Application->Handle(), static_cast<unsigned>(progress.Done), static_cast<unsigned>(progress.Total));
}

void TForm1::BulkSender1Finished(TObject*, const std::vector<TDeliveryResult>& results)
{
    SetSending(false);
    const TBulkOutcome outcome = FoldBulkResults(results);
    if (outcome.AnyDelivered())
        History->Record(FBulkText);
    if (outcome.AllDelivered()) {
        if (FChoiceAtStart == FChoiceCount)
            ForgetRetry();
        ShowStatusPicture(2);
        MesajMemo->Clear();
        return;
    }
    // Gönder again with the same text retries exactly the failed ones, unless the user has chosen other
    // recipients meanwhile.
    if (FChoiceAtStart == FChoiceCount) {
        FRetryRecipients = outcome.Failed;
        FRetryText = FBulkText;
    }
    ShowStatusPicture(1);
    // Some arrived: a warning, not a stop; the box says which did not and what the next Gönder does.
    MessageDlg(outcome.FailureSummary, outcome.AnyDelivered() ? TMsgDlgType::mtWarning : TMsgDlgType::mtError, mbOK, 0);
}

void TForm1::Btn_TekClick(TObject*)
{
    if (Browser1->Execute())
        NetMessage1->MsgTo = Browser1->DisplayName();
    // The field now names one computer, so a send goes to that computer and no longer to the picker's choice.
    FBulkRecipients.clear();
    ForgetRetry();
    Edt_Bilgisayar->SetText(NetMessage1->MsgTo);
    MesajMemo->SetFocus();
}

void TForm1::Btn_TopluClick(TObject*)
{
    ShowStartUpWindow(Frm_Toplu, StartUpWindowMissingText(TStartUpWindow::BulkPicker));
}

void TForm1::Btn_HistoryClick(TObject*)
{
    ShowStartUpWindow(Frm_History, StartUpWindowMissingText(TStartUpWindow::History));
}

// A fresh window at every opening: it reads the colours from this window each time it is shown.
void TForm1::Btn_AyarlarClick(TObject*)
{
    ShowForOneOpening(Frm_Ayarlar, [this](TFrm_Ayarlar& window) {
        window.Settings = Settings;
        window.SetMainWindow(this);
    });
}

// Created for this opening only, so the link starts unvisited every time.
void TForm1::ProgramHakkinda1Click(TObject*)
{
    ShowForOneOpening(Frm_about, [this](TFrm_about& window) { window.SetMainWindow(this); });
}

void TForm1::Btn_KucultClick(TObject*)
{
    PostMessageA(Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    MesajMemo->SetFocus();
}

void TForm1::Btn_KapatClick(TObject*) { PostMessageA(Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }

void TForm1::Kapat1Click(TObject*)
{
    // Recipients not yet started are dropped; those under way get the in-flight bound as the program ends.
    if (BulkSender1->Busy()) {
        BulkSender1->Cancel();
        Hide();
    }
    Application->Terminate();
}

void TForm1::Ac1Click(TObject*) { TrayIcon1->RestoreOwner(); }


void TForm1::MesajMemoKeyPress(TObject*, char&) { ShowStatusPicture(1); }

void TForm1::NetMessage1MessageSent(TObject*) { ShowStatusPicture(2); }

void TForm1::FormShow(TObject*)
{
    // When the platform cannot say, the name stays empty: the send then goes out without a sender name.
    NetMessage1->MsgFrom = ThisComputerName();
    NetMessage1->SetServer(ThisComputerName());

    // Read at every showing, so a file changed meanwhile is seen. A bad value stops the reading: the colours before
    // it are shown, the rest and the status picture are skipped.
    TColorTheme theme = Theme();
    bool stored = false;
    try {
        stored = Settings->LoadTheme(theme);
    } catch (...) {
        ApplyTheme(theme);
        throw;
    }
    if (stored)
        ApplyTheme(theme);
    ShowStatusPicture(1);
}

void ReadWindowsDirectory()
{
    // A directory that does not fit is no directory: the settings are then neither read nor written.
    const UINT length = GetWindowsDirectoryA(WinDirBuffer, kWinDirBufferSize);
    if (length == 0 || length >= kWinDirBufferSize)
        WinDirBuffer[0] = '\0';
}

std::string SettingsFilePath() { return SettingsPathFromWinDir(WinDirBuffer, kWinDirBufferSize); }
