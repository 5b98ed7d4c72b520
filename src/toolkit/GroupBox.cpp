// TGroupBox: painted by us, so that it shows its parent's colour and reflects its children's notifications.
#include "toolkit/GroupBox.h"

namespace {
constexpr int kCaptionLeft = 8;
}

TGroupBox::TGroupBox(TComponent* AOwner) : TControl(AOwner) { SetParentColor(true); }

RECT TGroupBox::CaptionRect()
{
    RECT rc{kCaptionLeft, 0, kCaptionLeft, 0};
    const std::string caption = Caption();
    HDC dc = GetDC(Handle());
    HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    rc.bottom = metrics.tmHeight;
    if (!caption.empty()) {
        SIZE size{};
        GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        rc.right = rc.left + size.cx;
    }
    SelectObject(dc, oldFont);
    ReleaseDC(Handle(), dc);
    return rc;
}

void TGroupBox::Paint(HDC dc)
{
    RECT client;
    GetClientRect(FHandle, &client);
    const RECT caption = CaptionRect();
    // The line runs through the middle of the caption's height, left and right of the caption.
    const int lineY = (caption.bottom - caption.top) / 2;
    RECT left{client.left, lineY, caption.left - 2, lineY + 2};
    RECT right{caption.right + 2, lineY, client.right, lineY + 2};
    if (caption.right == caption.left) {
        left.right = client.right;
        right.left = right.right;
    }
    DrawEdge(dc, &left, EDGE_ETCHED, BF_TOP);
    DrawEdge(dc, &right, EDGE_ETCHED, BF_TOP);

    const std::string text = Caption();
    if (text.empty())
        return;
    HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? ColorToRGB(Font().Color()) : GetSysColor(COLOR_GRAYTEXT));
    RECT textRect = caption;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE | DT_LEFT | DT_TOP);
    SelectObject(dc, oldFont);
}
