// TFrm_History: the list of messages sent in this run, searchable by typing, one of which goes back into the memo.
#pragma once
#include <memory>

#include "components/EcISLb.h"
#include "components/UcControls.h"
#include "core/SendHistory.h"
#include "forms/MainWindowRequests.h"
#include "toolkit/Forms.h"

// Control ids of the history window, by which tests find its controls. The search list's field and entry
// list take the two ids after its own.
enum TFrm_HistoryId {
    idHistoryPanel1 = 200,
    idLB_HistoryLabel1,
    idBtn_Tamam,
    idBtn_iptal,
    idBtn_Temizle,
    idLB_SendRunning,
    idLB_History = 210,
    idLB_HistoryEdit,
    idLB_HistoryList,
};

class TFrm_History : public TForm {
public:
    explicit TFrm_History(TComponent* AOwner);
    ~TFrm_History() override;

    // Shows the program's history from now on: what it holds, each text added, and its clearing.
    void ShowHistory(std::shared_ptr<TSendHistory> history);
    // The main window this one asks for its colours and hands a chosen text to; without one it keeps its own.
    void SetMainWindow(TMainWindowRequests* mainWindow) { FMainWindow = mainWindow; }
    // While the main window sends, a pick would overwrite the message being sent: Tamam waits, and a line says why.
    void SetSendRunning(bool running);

    TUcPanel* Panel1;
    TEcAttachedLabel* LB_HistoryLabel1;
    TEcSearchList* LB_History;
    TUcBitBtn* Btn_Tamam;
    TUcBitBtn* Btn_iptal;
    TUcBitBtn* Btn_Temizle;
    TLabel* LB_SendRunning;
    TEcController* EcController1;

    void FormShow(TObject* Sender);
    void Btn_TamamClick(TObject* Sender);
    void LB_HistoryDblClick(TObject* Sender);
    void Btn_TemizleClick(TObject* Sender);
    void Btn_iptalClick(TObject* Sender);

private:
    std::shared_ptr<TSendHistory> FHistory;
    TMainWindowRequests* FMainWindow = nullptr;
    bool FSendRunning = false;
};

extern TFrm_History* Frm_History;
