// TFrm_Ayarlar: the settings window — three colour pickers with a live preview of the main window's recipient
// row; Tamam writes the colours to the settings file and applies them to the main window.
#pragma once
#include <memory>

#include "components/SettingsStore.h"
#include "components/UcCmboBx.h"
#include "components/UcControls.h"
#include "forms/MainWindowRequests.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

// Control ids of the settings window, by which tests find its controls.
enum TFrm_AyarlarId {
    idAyarlarPanel1 = 100,
    idAyarlarLabel1,
    idAyarlarPreview_Panel,
    idAyarlarLabel2,
    idAyarlarEdt_Bilgisayar,
    idAyarlarBtn_Kime,
    idAyarlarBtn_Tamam,
    idAyarlarBtn_iptal,
    idAyarlarUcGroupBox1,
    idAyarlarLabel3,
    idAyarlarCB_Color,
    idAyarlarLabel4,
    idAyarlarCC_Edit,
    idAyarlarLabel5,
    idAyarlarCC_Font,
};

inline constexpr int kAyarlarClientWidth = 457;
inline constexpr int kAyarlarClientHeight = 312;

class TFrm_Ayarlar : public TForm {
public:
    explicit TFrm_Ayarlar(TComponent* AOwner);

    // The settings file the choice is saved into (handed over by the main window).
    std::shared_ptr<const TSettingsStore> Settings = std::make_shared<TSettingsStore>("");
    // The main window this one asks for its colours and shows a confirmed choice in; without one it keeps its own.
    void SetMainWindow(TMainWindowRequests* mainWindow) { FMainWindow = mainWindow; }

    TUcPanel* Panel1;
    TLabel* Label1;
    TUcPanel* Preview_Panel;
    TLabel* Label2;
    TEdit* Edt_Bilgisayar;
    TUcBitBtn* Btn_Kime;
    TUcBitBtn* Btn_Tamam;
    TUcBitBtn* Btn_iptal;
    TUcGroupBox* UcGroupBox1;
    TLabel* Label3;
    TUcColorComboBox* CB_Color;
    TLabel* Label4;
    TUcColorComboBox* CC_Edit;
    TLabel* Label5;
    TUcColorComboBox* CC_Font;

    void FormShow(TObject* Sender);
    void CB_ColorChange(TObject* Sender);
    void CC_EditChange(TObject* Sender);
    void CC_FontChange(TObject* Sender);
    void Btn_TamamClick(TObject* Sender);
    void Btn_iptalClick(TObject* Sender);

private:
    TMainWindowRequests* FMainWindow = nullptr;
};

// The open settings window, or null while none is open.
extern TFrm_Ayarlar* Frm_Ayarlar;
