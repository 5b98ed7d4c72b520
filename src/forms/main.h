// TForm1: the main window — recipient field, message memo, status picture and the program's commands.
#pragma once
#include "components/EcISLb.h"
#include "components/SettingsStore.h"
#include "components/SiOneInstance.h"
#include "components/UcControls.h"
#include "net/WsBulkSend.h"
#include "components/WsBrowsr.h"
#include "net/WsNetMsg.h"
#include "components/WsTrIcon.h"
#include "core/ColorTheme.h"
#include "core/SendHistory.h"
#include "core/Strings.h"
#include "forms/MainWindowRequests.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/Menus.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/TaskbarProgress.h"

#include <exception>
#include <memory>
#include <string>
#include <vector>

// Control ids of the main window, by which tests find its controls.
enum TForm1Id {
    idPanel1 = 100,
    idLabel2,
    idEdt_Bilgisayar,
    idBtn_Tek,
    idBtn_Toplu,
    idBtn_Kucult,
    idBtn_Kapat,
    idLabel1,
    idImage1,
    idMesajMemo,
    idBtn_Ayarlar,
    idBtn_History,
    idBtn_Gonder,
    idBtn_Alt_S,
};

// The Windows directory as the platform returned it at start-up (NUL-terminated; empty when it did not fit).
constexpr int kWinDirBufferSize = 145;
extern char WinDirBuffer[kWinDirBufferSize];
// Fills WinDirBuffer; the start-up does it once, before the main window is first shown.
void ReadWindowsDirectory();
// What the recipient field shows while a send goes to the bulk picker's choice.
inline constexpr char kBulkMarker[] = "TOPLU MESAJ GÖNDERİMİ";

// The settings file beside the Windows directory; empty while that directory is unknown (writers must then refuse
// rather than write somewhere else).
std::string SettingsFilePath();

// The windows it opens ask it for things through TMainWindowRequests; its controls are its own.
class TForm1 : public TForm, public TMainWindowRequests {
public:
    explicit TForm1(TComponent* AOwner);

    // The settings file, handed over by the start-up (until then: no known file, nothing read, saving refused).
    std::shared_ptr<const TSettingsStore> Settings = std::make_shared<TSettingsStore>("");

    // The texts sent in this run, which the history window shows; the start-up hands over the program's own.
    std::shared_ptr<TSendHistory> History = std::make_shared<TSendHistory>(SameEntryText);

    TColorTheme Theme() const override;
    // Shows the colours: the panel's background and text, and the recipient field's and memo's background.
    void ApplyTheme(const TColorTheme& theme) override;
    void TakeBulkRecipients(std::vector<std::string> recipients) override;
    std::vector<std::string> RetryRecipients() const override;
    void PutIntoMemo(const std::string& text) override;
    void ReturnToMemo() override;

private:
    TWsNetMessage* NetMessage1;
    TWsBulkSender* BulkSender1;
    TWsBrowser* Browser1;
    TWsTrayIcon* TrayIcon1;
    TUcPanel* Panel1;
    TEdit* Edt_Bilgisayar;
    TMemo* MesajMemo;
    TLabel* Label2;
    TUcBitBtn* Btn_Toplu;
    TButton* Btn_Kapat;
    TUcBitBtn* Btn_Gonder;
    TButton* Btn_Alt_S;
    TButton* Btn_Kucult;
    TImageList* ImageList1;
    TImage* Image1;
    TUcBitBtn* Btn_History;
    TPopupMenu* PopupMenu1;
    TMenuItem* ProgramHakkinda1;
    TMenuItem* Ac1;
    TMenuItem* N1;
    TMenuItem* N2;
    TMenuItem* Kapat1;
    TMenuItem* N3;
    TMenuItem* Ayarlar1;
    TUcBitBtn* Btn_Ayarlar;
    TLabel* Label1;
    TSiOneInstance* SiOneInstance1;
    TUcBitBtn* Btn_Tek;

    void Btn_GonderClick(TObject* Sender);
    void Btn_TekClick(TObject* Sender);
    void Btn_TopluClick(TObject* Sender);
    void Btn_HistoryClick(TObject* Sender);
    void Btn_AyarlarClick(TObject* Sender);
    void ProgramHakkinda1Click(TObject* Sender);
    void Btn_KucultClick(TObject* Sender);
    void Btn_KapatClick(TObject* Sender);
    void Kapat1Click(TObject* Sender);
    void Ac1Click(TObject* Sender);
    void MesajMemoKeyPress(TObject* Sender, char& Key);
    void NetMessage1MessageSent(TObject* Sender);
    void NetMessage1Finished(TObject* Sender, std::exception_ptr Failure);
    void BulkSender1Delivered(TObject* Sender, const std::string& Recipient);
    void BulkSender1Progress(TObject* Sender, const TBulkProgress& Progress);
    void BulkSender1Finished(TObject* Sender, const std::vector<TDeliveryResult>& Results);
    void FormShow(TObject* Sender);

    void CreateComponents();
    void BindHandlers();
    // Draws picture `index` of ImageList1 into the status picture.
    void ShowStatusPicture(int index);
    void SendToBulkRecipients(const std::string& memoText);
    void SetSending(bool sending);
    void ForgetRetry();

    // The computers a send goes to while the recipient field shows the bulk marker: set when the picker closes
    // with a selection, cleared by the browse dialog.
    std::vector<std::string> FBulkRecipients;
    // After a partial failure: the failed computers and the text that failed, which Gönder retries while the memo
    // holds that text. Forgotten on a new choice (FChoiceCount counts them) and after a full success.
    std::vector<std::string> FRetryRecipients;
    std::string FRetryText;
    unsigned FChoiceCount = 0;
    unsigned FChoiceAtStart = 0;
    std::unique_ptr<TTaskbarProgress> FTaskbar;
    std::string FSingleText;                    // the memo's text when the single send started
    std::string FBulkText;                      // the memo's text when the bulk send started
    std::vector<std::string> FBulkSentTo;       // whom it went to
};

extern TForm1* Form1;
