// The standard controls: system classes wrapped, and the glyph button's drawing.
#include "toolkit/StdCtrls.h"

#include "toolkit/Forms.h"

TPanel::TPanel(TComponent* AOwner) : TControl(AOwner) {}

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner) { SetParentColor(true); }

void TLabel::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = "STATIC";
    params.Style |= SS_LEFT | SS_NOTIFY;
}

HBRUSH TLabel::CtlColor(HDC dc)
{
    SetTextColor(dc, ColorToRGB(Font().Color()));
    SetBkMode(dc, TRANSPARENT);
    return BackgroundBrush();
}

TEdit::TEdit(TComponent* AOwner) : TControl(AOwner)
{
    SetColor(clWindow);
    SetTabStop(true);
}

void TEdit::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = "EDIT";
    params.Style |= ES_AUTOHSCROLL | (FReadOnly ? ES_READONLY : 0);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::SetReadOnly(bool value)
{
    FReadOnly = value;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETREADONLY, value, 0);
}

bool TEdit::CommandNotify(WORD code)
{
    if (code == EN_CHANGE) {
        Fire(OnChange, this);
        return true;
    }
    return false;
}

void TEdit::SelectAll() { SetSelection(0, -1); }

void TEdit::SetSelection(int start, int length)
{
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), length < 0 ? -1 : start + length);
}

int TEdit::SelStart() const
{
    DWORD start = 0, end = 0;
    SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

int TEdit::SelLength() const
{
    DWORD start = 0, end = 0;
    SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

TMemo::TMemo(TComponent* AOwner) : TEdit(AOwner) {}

void TMemo::CreateParams(TCreateParams& params)
{
    TEdit::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
}

void TMemo::InitializeHandle()
{
    TEdit::InitializeHandle();
    SendMessageA(Handle(), EM_SETLIMITTEXT, 0, 0); // 0: as much as the system allows
}

bool TMemo::WantsDialogKey(WPARAM key) { return key == VK_RETURN; }

TButtonBase::TButtonBase(TComponent* AOwner) : TControl(AOwner) { SetTabStop(true); }

bool TButtonBase::CommandNotify(WORD code)
{
    if (code == BN_CLICKED) {
        Click();
        return true;
    }
    return false;
}

void TButtonBase::Click()
{
    if (ModalResult != mrNone)
        if (TForm* form = TForm::Of(this))
            form->SetModalResult(ModalResult);
    TControl::Click();
}

TButton::TButton(TComponent* AOwner) : TButtonBase(AOwner) {}

void TButton::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = "BUTTON";
    params.Style |= Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButtonBase(AOwner) {}

void TBitBtn::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = "BUTTON";
    params.Style |= BS_OWNERDRAW;
}

void TBitBtn::SetGlyph(HICON glyph)
{
    FGlyph.Reset(glyph);
    Invalidate();
}

bool TBitBtn::DrawItem(DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    RECT rc = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    const std::string caption = Caption();
    HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    RECT textRect{0, 0, 0, 0};
    if (!caption.empty())
        DrawTextA(dc, caption.c_str(), -1, &textRect, DT_CALCRECT | DT_SINGLELINE);
    const int glyphSize = FGlyph.Get() ? 16 : 0;
    const int textWidth = textRect.right - textRect.left;
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    const int shift = pressed ? 1 : 0;
    // A caption that cannot fit beside the glyph is not drawn: the glyph alone is the button's face.
    const bool showText = !caption.empty() && (!glyphSize || glyphSize + Spacing + textWidth <= width - 6);
    const int contentWidth = glyphSize + (showText ? (glyphSize ? Spacing : 0) + textWidth : 0);
    int x = Margin < 0 ? (width - contentWidth) / 2 : Margin + 3;
    if (glyphSize) {
        DrawIconEx(dc, x + shift, (height - glyphSize) / 2 + shift, FGlyph.Get(), 16, 16, 0, nullptr, DI_NORMAL);
        x += glyphSize + Spacing;
    }
    if (showText) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : ColorToRGB(Font().Color()));
        RECT r{x + shift, shift, x + textWidth + shift, height + shift};
        DrawTextA(dc, caption.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    SelectObject(dc, oldFont);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = rc;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
    return true;
}
