// TGroupBox: a container whose caption stands at the top left on a line drawn along its top edge.
#pragma once
#include "toolkit/Controls.h"

class TGroupBox : public TControl {
public:
    explicit TGroupBox(TComponent* AOwner);

    // The caption's text rectangle in client coordinates (empty caption: an empty rectangle at the left).
    RECT CaptionRect();

protected:
    void Paint(HDC dc) override;
};
