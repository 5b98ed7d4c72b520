// TApplication: the hidden "TApplication" window that owns every form and carries the task-bar entry,
// the message loop, and the top-level handler that shows every error that leaves an event handler.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/Controls.h"
#include "toolkit/Forms.h"

// Registers itself as the forms' host and as the exception handler of every window procedure and callback.
class TApplication : public TControl, public TFormHost {
public:
    TApplication();
    ~TApplication() override;

    // Creates the hidden application window.
    void Initialize();

    std::string Title() const { return Caption(); }
    void SetTitle(const std::string& title) { SetCaption(title); }

    // Creates a form owned by the application; the first one becomes the main window.
    template <typename T>
    T* CreateForm(T*& reference)
    {
        reference = new T(this);
        if (!FMainForm)
            FMainForm = reference;
        return reference;
    }
    TForm* MainForm() const override { return FMainForm; }
    void SetMainForm(TForm* form) override { FMainForm = form; }
    HWND FormOwnerWindow() override { return Handle(); }
    bool ShowMainForm = true;

    // Shows the main window and dispatches messages until Terminate; returns at once if already terminated.
    // `whenShown` runs once the main window has painted and before the first message is dispatched: the start-up
    // work that nothing on the screen waits for.
    void Run(const std::function<void()>& whenShown = {});
    void Terminate() override;
    bool Terminated() const override { return FTerminated; }
    // Waits for and dispatches one message.
    void HandleMessage() override;
    // Dispatches every waiting message and returns.
    void ProcessMessages();

    // Shows the error box for the exception being handled (call inside a catch block).
    void HandleException(TObject* Sender);
    // The error box itself: caption = title, stop icon, the message with the full-stop rule.
    void ShowException(const std::string& message);
    // Tests replace the modal error box with this hook.
    std::function<void(const std::string& message)> OnShowException;

    void Minimize();
    void Restore();
    void BringToFront();

protected:
    void CreateParams(TCreateParams& params) override;
    HWND ParentHandleForCreate() override { return nullptr; }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool ProcessMessage(bool wait);
    bool IsDialogKey(MSG& msg);

    TForm* FMainForm = nullptr;
    bool FTerminated = false;
};

extern TApplication* Application;
