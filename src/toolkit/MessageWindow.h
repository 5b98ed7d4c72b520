// TMessageWindow: a hidden window of the toolkit that only hears messages (results posted by worker threads,
// timers, a notification icon's callbacks), dispatched like every other toolkit window, so that an error raised
// by a handler reaches the error box instead of unwinding through user32.
#pragma once
#include "toolkit/Controls.h"

class TMessageWindow : public TControl {
public:
    // MessageOnly: a child of HWND_MESSAGE, invisible to enumeration and to broadcasts. HearsBroadcasts: a hidden
    // top-level window, for those that must hear a broadcast such as the task bar's re-creation.
    enum class TKind { MessageOnly, HearsBroadcasts };

    // A window that hears broadcasts exists when the constructor returns; a message-only one is made by the first
    // Handle() (on the thread that then receives its messages). `className` is registered once as a toolkit class.
    TMessageWindow(TComponent* AOwner, const char* className, TKind kind = TKind::MessageOnly);

    // Messages it does not take get the platform's default processing.
    TMessageHandler OnMessage;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeHandle() override {}
    HWND ParentHandleForCreate() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    const char* FClassName;
    TKind FKind;
};
