// The incremental search list: a search field over a sorted entry list that finds and completes what is typed
// after a typing pause, with its controller (the pause timers) and a caption label that follows it.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/SearchEntries.h"
#include "core/SearchListErrors.h"
#include "core/SearchState.h"
#include "core/Strings.h"
#include "toolkit/StdCtrls.h"

class TEcController;
class TEcSearchList;
class TEcAttachedLabel;
class TMessageWindow;

using TMouseMoveEvent = std::function<void(TObject* Sender, WPARAM Keys, int X, int Y)>;

// The two mouse events the toolkit's controls do not raise themselves.
struct TEcMouseEvents {
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

protected:
    // Raises the event that belongs to msg, if any (other messages are passed over); the caller still lets the
    // control handle msg.
    void FireMouse(TObject* sender, UINT msg, WPARAM wParam, LPARAM lParam) const;
};

// Hands out one-shot window timers and calls back once when each one fires.
class TEcTimerPool {
public:
    using TCallback = std::function<void()>;

    TEcTimerPool();
    ~TEcTimerPool();
    TEcTimerPool(const TEcTimerPool&) = delete;
    TEcTimerPool& operator=(const TEcTimerPool&) = delete;

    // Arms a timer that fires once after `milliseconds`; returns its handle (never -1).
    // Throws ENoTimersAvailable when the platform has no timer to give.
    int StartOneShot(int milliseconds, TCallback callback);
    // Disarms the timer; an unknown or spent handle is ignored.
    void Cancel(int handle) noexcept;
    int ActiveCount() const { return static_cast<int>(FTimers.size()); }

private:
    void Fired(UINT_PTR id);

    std::unique_ptr<TMessageWindow> FWindow;
    std::map<UINT_PTR, TCallback> FTimers;
    UINT_PTR FNextId = 1;
};

// The link from a control to the controller it uses; whichever of the two goes first undoes it, so that
// nothing keeps a dangling reference.
class TEcControllerClient {
public:
    TEcController* Controller() const { return FController; }
    void SetController(TEcController* controller);
    // Called by the controller as it is destroyed.
    virtual void ControllerDestroyed() { FController = nullptr; }

protected:
    ~TEcControllerClient();
    // Takes the controller of `control`'s window when none is assigned; throws ENoControllerAssigned when
    // there is none.
    void TakeControllerOf(TControl* control);
    // Called before the link moves to another controller (or to none).
    virtual void ControllerChanging() {}

private:
    TEcController* FController = nullptr;
};

// The non-visual helper every search list on a window needs: its timer service.
class TEcController : public TComponent {
public:
    explicit TEcController(TComponent* AOwner);
    ~TEcController() override;

    TEcTimerPool& TimerPool() { return *FTimerPool; }

    void AddClient(TEcControllerClient* client);
    void RemoveClient(TEcControllerClient* client);

    // The first controller among the components of the form that holds `control`, or null.
    static TEcController* FindFor(TControl* control);

private:
    std::unique_ptr<TEcTimerPool> FTimerPool;
    std::vector<TEcControllerClient*> FClients;
};

// Where an attached label stands relative to its control, and whether it is shown with it.
struct TEcLabelInfo {
    int OffsetX = 0;
    int OffsetY = 0;
    bool Visible = false;
    TEcAttachedLabel* Label = nullptr;
};

// A control that may carry a caption label that keeps its place beside it.
class TEcCustomControl : public TControl, public TEcMouseEvents {
public:
    explicit TEcCustomControl(TComponent* AOwner);
    ~TEcCustomControl() override;

    const TEcLabelInfo& LabelInfo() const { return FLabelInfo; }
    // Records where the label stands now and lets it follow the control from then on.
    void AttachLabel(TEcAttachedLabel* label);
    void DetachLabel(TEcAttachedLabel* label);
    void SetLabelVisible(bool visible);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceLabel(int left, int top);

    TEcLabelInfo FLabelInfo;
};

// A control that cannot work without a controller on its window.
class TEcCustomControlEx : public TEcCustomControl, protected TEcControllerClient {
public:
    explicit TEcCustomControlEx(TComponent* AOwner);

    using TEcControllerClient::Controller;
    using TEcControllerClient::SetController;

protected:
    // Takes the window's controller when none is assigned; throws ENoControllerAssigned when there is none.
    void CreateHandle() override;
};

// The caption label of a search list: auto-sized, on the parent's font, opaque, moving with its control.
class TEcAttachedLabel : public TLabel {
public:
    explicit TEcAttachedLabel(TComponent* AOwner);
    ~TEcAttachedLabel() override;

    TEcCustomControl* Control() const { return FControl; }
    void SetControl(TEcCustomControl* control);

    // The label's accelerator focuses its control.
    bool IsAcceleratorTarget() const override { return FControl != nullptr; }
    void Click() override;

protected:
    void Loaded() override;
    void InitializeHandle() override;
    void FontChanged() override;
    HBRUSH CtlColor(HDC dc) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void AdjustSize();

    TEcCustomControl* FControl = nullptr;
    friend class TEcCustomControl;
};

// A single-line edit without border or 3D look, with the select-on-entry and password settings.
class TEcCustomEdit : public TEdit, public TEcMouseEvents {
public:
    explicit TEcCustomEdit(TComponent* AOwner);

    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char value);

    // The platform edit's own "changed by the user" flag.
    bool Modified() const;
    void SetModified(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeHandle() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool FAutoSelect = true;
    bool FHideSelection = true;
    char FPasswordChar = '\0';
    bool FMousePressed = false;
};

// The search settings and the typing-pause behaviour of a search field; the search itself is DoSearch.
class TEcBaseISE : public TEcCustomEdit, protected TEcControllerClient {
public:
    explicit TEcBaseISE(TComponent* AOwner);
    ~TEcBaseISE() override;

    bool AutoSearch() const { return FState.AutoSearch(); }
    void SetAutoSearch(bool value) { FState.SetAutoSearch(value); }
    bool CaseSensitive() const { return FState.CaseSensitive(); }
    void SetCaseSensitive(bool value) { FState.SetCaseSensitive(value); }
    bool ShowResults() const { return FState.ShowResults(); }
    void SetShowResults(bool value) { FState.SetShowResults(value); }
    int KeyDelay() const { return FState.KeyDelay(); }
    void SetKeyDelay(int milliseconds) { FState.SetKeyDelay(milliseconds); }

    // The folded text of the last completed search.
    const std::string& LastSearchText() const { return FState.LastSearchText(); }
    // The pending pause timer's handle, -1 when no search is waiting.
    int TimerHandle() const { return FTimer.Handle(); }

    using TEcControllerClient::Controller;
    using TEcControllerClient::SetController;

    virtual void DoSearch() = 0;

protected:
    void CreateHandle() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void ControllerDestroyed() override;
    void ControllerChanging() override;

    TSearchState& State() { return FState; }

private:
    // The pause timer, borrowed from the controller's pool.
    class TPoolTimer : public TSearchTimer {
    public:
        explicit TPoolTimer(TEcBaseISE& field) : FField(field) {}
        void Start(int milliseconds) override;
        void Stop() override;
        int Handle() const { return FHandle; }
        void Forget() { FHandle = -1; }

    private:
        TEcBaseISE& FField;
        int FHandle = -1;
    };

    void TimerExpired();

    TPoolTimer FTimer{*this}; // declared before FState, which stops it on destruction
    TSearchState FState{FTimer};
};

// The search field of a search list: searches that list's entries.
class TEcSearchEdit : public TEcBaseISE {
public:
    explicit TEcSearchEdit(TComponent* AOwner) : TEcBaseISE(AOwner) {}
    void DoSearch() override;
};

class TEcSearchListBox;

// Whether the entry store's IndexOf counts two texts as the same entry: the platform's case-insensitive comparison
// of whole texts in the user's locale, the one the list box itself uses.
bool SameEntryText(const std::string& a, const std::string& b);

// The entry store: the list box's own strings, kept in its case-insensitive sorted order.
class TEcSearchListItems : public TStrings, public TSearchEntries {
public:
    explicit TEcSearchListItems(TEcSearchListBox& list) : FList(list) {}

    int Count() const override;
    std::string Get(int index) const override;
    std::string Entry(int index) const override { return Get(index); }
    // The first entry equal to the whole text with case ignored, by the list box's own comparison; or -1.
    int IndexOf(const std::string& text) const override;
    // Inserts at the sorted place and returns that index; throws EOutOfResources when the list is full.
    int Add(const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;

private:
    HWND Handle() const;
    TEcSearchListBox& FList;
};

// The entry list of a search list: a sorted list box whose user selection fills the search field.
class TEcSearchListBox : public TControl, public TEcMouseEvents {
public:
    explicit TEcSearchListBox(TComponent* AOwner);

    TEcSearchListItems& Items() { return FItems; }
    int ItemIndex() const;
    // Selects without the user-selection behaviour.
    void SetItemIndex(int index);
    int TopIndex() const;
    void SetTopIndex(int index);
    // The height of one row as the list draws it with its font.
    int ItemHeight() const;
    // Kept for owner-drawn styles; a string list draws its rows at its font's height. Values below 1 are ignored.
    void SetItemHeight(int value);
    int Columns() const { return FColumns; }
    void SetColumns(int value);

    // The search field that a user selection fills (set by the composite).
    TEcCustomEdit* SearchField = nullptr;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeHandle() override;
    bool CommandNotify(WORD code) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyColumnWidth();

    TEcSearchListItems FItems{*this};
    int FItemHeight = 16;
    int FColumns = 0;
    friend class TEcSearchListItems;
};

enum class TBorderStyle { bsNone, bsSingle };

// The composite: the search field above the entry list, a line between them.
class TEcSearchList : public TEcCustomControlEx {
public:
    explicit TEcSearchList(TComponent* AOwner);

    TEcSearchEdit* SearchEdit() const { return FEdit; }
    TEcSearchListBox* ListBox() const { return FList; }
    TEcSearchListItems& Items() { return FList->Items(); }
    int ItemIndex() const { return FList->ItemIndex(); }
    void SetItemIndex(int index) { FList->SetItemIndex(index); }
    int ItemHeight() const { return FList->ItemHeight(); }
    void SetItemHeight(int value);
    int Columns() const { return FList->Columns(); }
    void SetColumns(int value) { FList->SetColumns(value); }

    bool AutoSearch() const { return FEdit->AutoSearch(); }
    void SetAutoSearch(bool value) { FEdit->SetAutoSearch(value); }
    bool AutoSelect() const { return FEdit->AutoSelect(); }
    void SetAutoSelect(bool value) { FEdit->SetAutoSelect(value); }
    bool CaseSensitive() const { return FEdit->CaseSensitive(); }
    void SetCaseSensitive(bool value) { FEdit->SetCaseSensitive(value); }
    bool HideSelection() const { return FEdit->HideSelection(); }
    void SetHideSelection(bool value) { FEdit->SetHideSelection(value); }
    int KeyDelay() const { return FEdit->KeyDelay(); }
    void SetKeyDelay(int milliseconds) { FEdit->SetKeyDelay(milliseconds); }
    char PasswordChar() const { return FEdit->PasswordChar(); }
    void SetPasswordChar(char value) { FEdit->SetPasswordChar(value); }
    bool ShowResults() const { return FEdit->ShowResults(); }
    void SetShowResults(bool value) { FEdit->SetShowResults(value); }

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);

    // Focusing the composite focuses its search field: the focus never rests on the composite itself.
    void SetFocus() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void Loaded() override;
    void FontChanged() override;
    void Paint(HDC dc) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ArrangeChildren();
    void ApplyBorder();

    TEcSearchEdit* FEdit;
    TEcSearchListBox* FList;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    bool FCtl3D = true;
};
