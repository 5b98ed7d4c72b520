// The panel and glyph button every window of the program is built from.
#pragma once
#include "toolkit/GroupBox.h"
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

// A group box with its caption on a line along the top, on its parent's colour.
class TUcGroupBox : public TGroupBox {
public:
    explicit TUcGroupBox(TComponent* AOwner) : TGroupBox(AOwner) {}
};
