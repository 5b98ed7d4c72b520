// TFrm_Toplu: the bulk picker, which lists the network's computers with check boxes, select-all and clear.
#pragma once
#include "net/NTservice.h"
#include "components/UcChkLst.h"
#include "components/UcControls.h"
#include "forms/MainWindowRequests.h"
#include "toolkit/Forms.h"

#include <memory>
#include <string>
#include <vector>

class TBackgroundCall;

// Control ids of the bulk picker, by which tests find its controls.
enum TFrm_TopluId {
    idTopluPanel1 = 300,
    idCL_Computers,
    idBtn_Hepsini_Sec,
    idBtn_Hepsini_Temizle,
    idBtn_Kapat_Toplu,
};

class TFrm_Toplu : public TForm {
public:
    explicit TFrm_Toplu(TComponent* AOwner);
    ~TFrm_Toplu() override;

    // The main window this one asks for its colours and hands the choice to; without one it keeps its own.
    void SetMainWindow(TMainWindowRequests* mainWindow) { FMainWindow = mainWindow; }

    TUcPanel* Panel1;
    TUcCheckList* CL_Computers;
    TUcBitBtn* Btn_Hepsini_Sec;
    TUcBitBtn* Btn_Hepsini_Temizle;
    TUcBitBtn* Btn_Kapat;
    TNTService* NTService1;

    void FormShow(TObject* Sender);
    void Btn_Hepsini_SecClick(TObject* Sender);
    void Btn_Hepsini_TemizleClick(TObject* Sender);
    void Btn_KapatClick(TObject* Sender);

    // The checked computers in list order, each once: the bulk recipients when the window closes.
    std::vector<std::string> CheckedComputers() const;

private:
    void SetAllStates(TCheckBoxState state);
    // While the enumeration runs, the list says so and nothing in it can be checked.
    void SetLooking(bool looking);
    void Fill(const TServerList& list);

    std::unique_ptr<TBackgroundCall> FEnumeration;

    TMainWindowRequests* FMainWindow = nullptr;
};

extern TFrm_Toplu* Frm_Toplu;
