// TMessageWindow: a hidden top-level window of the toolkit that only hears messages (a notification icon's
// callbacks, timers, broadcasts), dispatched like every other toolkit window.
#pragma once
#include "toolkit/Controls.h"

class TMessageWindow : public TControl {
public:
    // The window exists when the constructor returns; `className` is registered once as a toolkit class.
    TMessageWindow(TComponent* AOwner, const char* className);

    // Messages it does not take get the platform's default processing.
    TMessageHandler OnMessage;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeHandle() override {}
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    const char* FClassName;
};
