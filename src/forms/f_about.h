// TFrm_about: the about box with the product name, the version and the link to the product's web address.
#pragma once
#include "components/UcControls.h"
#include "components/UcLabel.h"
#include "forms/MainWindowRequests.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

// Control ids of the about box, by which tests find its controls.
enum TFrm_aboutId {
    idAboutPanel1 = 100,
    idAboutProgramIcon,
    idAboutProductName,
    idAboutVersion,
    idAboutUcURLLabel1,
    idAboutUcBitBtn1,
};

// The product's web address: what the link opens, and (without its scheme, to fit the link's width) its caption.
inline constexpr char kProductWebAddress[] = "https://varnel.example.org";
inline constexpr char kProductWebCaption[] = "varnel.example.org";

class TFrm_about : public TForm {
public:
    explicit TFrm_about(TComponent* AOwner);

    // The main window this one asks for its colours; without one it keeps its own.
    void SetMainWindow(TMainWindowRequests* mainWindow) { FMainWindow = mainWindow; }

    TUcPanel* Panel1;
    TImage* ProgramIcon;
    TLabel* ProductName;
    TLabel* Version;
    TUcURLLabel* UcURLLabel1;
    TUcBitBtn* UcBitBtn1;

    void FormShow(TObject* Sender);
    void UcBitBtn1Click(TObject* Sender);

private:
    TMainWindowRequests* FMainWindow = nullptr;
};

// The open about box, or null while none is open.
extern TFrm_about* Frm_about;
