// TForm: a borderless popup window owned by the application window, centred, shown normally or modally,
// which handles the dialog keys (Tab, Enter, Escape, Alt+letter) for all its controls.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "core/ProgramTexts.h"

#include "toolkit/BackgroundDrag.h"
#include "toolkit/Controls.h"

enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

class TForm;

// What a form asks of the program it belongs to (the application registers itself). Without a host, forms are
// top-level windows, none is the main window, and a modal showing runs a plain message loop of its own.
class TFormHost {
public:
    // The window that owns every form and carries the task-bar entry.
    virtual HWND FormOwnerWindow() = 0;
    virtual TForm* MainForm() const = 0;
    virtual void SetMainForm(TForm* form) = 0;
    // Ends every loop: the program is over.
    virtual void Terminate() = 0;
    virtual bool Terminated() const = 0;
    // Waits for and dispatches one message, dialog keys included.
    virtual void HandleMessage() = 0;

protected:
    ~TFormHost() = default;
};

// Registers the host of every form; null for none.
void SetFormHost(TFormHost* host);
TFormHost* FormHost();

class TForm : public TControl {
public:
    // className: the window class registered for this form (e.g. "TForm1"); clientWidth/Height: exact client size.
    TForm(TComponent* AOwner, const char* className, int clientWidth, int clientHeight);
    ~TForm() override;

    void Show();
    void Hide();
    // Ends a modal showing with mrCancel; hides a modeless form; ends the program for the main window.
    void Close();
    int ShowModal();
    bool Modal() const { return FModal; }
    // Puts a showing form in front of the program's other windows, with the keyboard; when a form shown modally
    // over it holds it disabled, that form instead.
    void BringForward();
    // The innermost form being shown modally, or none.
    static TForm* ModalForm() { return FModalForm; }
    // The form a control lies on (walking up the parents), or null.
    static TForm* Of(TControl* control);

    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }

    TControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TControl* control);

    // Runs OnShow; a failure is reported in the error box and the rest of the handler is skipped.
    void DoShow();

    // Tab, Enter, Escape and Alt+letter; true when the key was used.
    bool DialogKey(const MSG& msg);
    // Focus to the next (or previous) control in tab order, wrapping around.
    void SelectNext(bool forward);
    // Every control that Tab stops at, in tab order (depth first through containers).
    std::vector<TControl*> TabList();
    // The control named so, among everything the form owns (its stored layout's names).
    TComponent* FindComponent(const std::string& name) const;

    // A press on `background` (a control filling the form, usually its panel) moves the form with the mouse; a right
    // click there still opens the control's popup menu.
    void DragByBackground(TControl& background) { background.FBackgroundDrag = &FBackgroundDrag; }

    // Sees each of the form's messages before the form does: a component acting for its owner window, such as the
    // notification icon that turns minimise and close into hiding the program. Null removes it.
    void SetMessageHook(TMessageHandler hook) { FMessageHook = std::move(hook); }

    TNotifyEvent OnShow;

protected:
    void CreateParams(TCreateParams& params) override;
    HWND ParentHandleForCreate() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CollectTabStops(TControl* container, std::vector<TControl*>& list);
    TControl* FindAccelerator(TControl* container, char letter);
    TControl* FindButton(TControl* container, bool cancel);
    void FocusFirst();
    void HandleOneMessage();

    std::string FClassName;
    int FModalResult = mrNone;
    bool FModal = false;
    TControl* FActiveControl = nullptr;
    TBackgroundDrag FBackgroundDrag;
    TMessageHandler FMessageHook;
    static inline TForm* FModalForm = nullptr;
};

// Finds the owned component of that name and type (the form's stored layout binds its members this way).
template <typename T>
T* FindAs(const TForm* form, const std::string& name)
{
    auto* found = dynamic_cast<T*>(form->FindComponent(name));
    if (!found)
        throw Exception(InternalFaultText("pencerede " + name + " yok"));
    return found;
}
