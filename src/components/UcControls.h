// The panel and glyph button every window of the program is built from.
#pragma once
#include "toolkit/StdCtrls.h"

// A panel with a raised edge: the background of every window.
class TUcPanel : public TPanel {
public:
    explicit TUcPanel(TComponent* AOwner) : TPanel(AOwner) {}

protected:
    void Paint(HDC dc) override
    {
        RECT rc;
        GetClientRect(FHandle, &rc);
        DrawEdge(dc, &rc, BDR_RAISEDOUTER, BF_RECT);
    }
};

class TUcBitBtn : public TBitBtn {
public:
    explicit TUcBitBtn(TComponent* AOwner) : TBitBtn(AOwner) {}
};
