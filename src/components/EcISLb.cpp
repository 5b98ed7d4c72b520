// The search list composite, the controller-bound control base and the attached caption label.
#include "components/EcISLb.h"

#include "core/SearchListLayout.h"

namespace {

// Where a control stands in its parent's client area: the window's own place once it exists.
TBounds BoundsInParent(TControl* control)
{
    if (!control->HandleAllocated())
        return {control->Left(), control->Top(), control->Width(), control->Height()};
    HWND hwnd = control->Handle();
    RECT rc;
    GetWindowRect(hwnd, &rc);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rc), 2);
    return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
}

}

TEcCustomControl::TEcCustomControl(TComponent* AOwner) : TControl(AOwner) {}

TEcCustomControl::~TEcCustomControl()
{
    if (FLabelInfo.Label)
        FLabelInfo.Label->FControl = nullptr;
}

void TEcCustomControl::AttachLabel(TEcAttachedLabel* label)
{
    if (!label)
        return;
    if (FLabelInfo.Label && FLabelInfo.Label != label)
        FLabelInfo.Label->FControl = nullptr;
    FLabelInfo.Label = label;
    label->FControl = this;
    const TBounds place = BoundsInParent(label);
    const TLabelOffset offset = MeasureLabelOffset(place, BoundsInParent(this));
    FLabelInfo.OffsetX = offset.OffsetX;
    FLabelInfo.OffsetY = offset.OffsetY;
    FLabelInfo.Visible = true;
}

void TEcCustomControl::DetachLabel(TEcAttachedLabel* label)
{
    if (!label || FLabelInfo.Label != label)
        return;
    label->FControl = nullptr;
    FLabelInfo.Label = nullptr;
    FLabelInfo.Visible = false;
}

void TEcCustomControl::SetLabelVisible(bool visible)
{
    FLabelInfo.Visible = visible;
    if (FLabelInfo.Label)
        FLabelInfo.Label->SetVisible(visible && Visible());
}

void TEcCustomControl::PlaceLabel(int left, int top)
{
    TEcAttachedLabel* label = FLabelInfo.Label;
    const TBounds current = BoundsInParent(label);
    const TBounds placed = PlaceAttachedLabel(current, {left, top, Width(), Height()},
        {FLabelInfo.OffsetX, FLabelInfo.OffsetY});
    if (!(placed == current))
        label->SetBounds(placed.Left, placed.Top, placed.Width, placed.Height);
}

LRESULT TEcCustomControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = TControl::WndProc(msg, wParam, lParam);
        if (FLabelInfo.Label) {
            const auto& pos = *reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!(pos.flags & SWP_NOMOVE) || !(pos.flags & SWP_NOSIZE)) {
                const TBounds here = BoundsInParent(this);
                PlaceLabel(here.Left, here.Top);
            }
            if (pos.flags & SWP_SHOWWINDOW)
                FLabelInfo.Label->SetVisible(FLabelInfo.Visible);
            else if (pos.flags & SWP_HIDEWINDOW)
                FLabelInfo.Label->SetVisible(false);
        }
        return result;
    }
    default:
        FireMouse(this, msg, wParam, lParam);
        break;
    }
    return TControl::WndProc(msg, wParam, lParam);
}

TEcCustomControlEx::TEcCustomControlEx(TComponent* AOwner) : TEcCustomControl(AOwner) {}

void TEcCustomControlEx::CreateHandle()
{
    TakeControllerOf(this);
    TEcCustomControl::CreateHandle();
}

TEcAttachedLabel::TEcAttachedLabel(TComponent* AOwner) : TLabel(AOwner) {}

TEcAttachedLabel::~TEcAttachedLabel()
{
    if (FControl)
        FControl->DetachLabel(this);
}

void TEcAttachedLabel::SetControl(TEcCustomControl* control)
{
    if (FControl == control)
        return;
    if (FControl)
        FControl->DetachLabel(this);
    FControl = control;
    // While the window is still being built the label's place is not final: Loaded attaches it.
    if (FControl && !Loading())
        FControl->AttachLabel(this);
}

void TEcAttachedLabel::Loaded()
{
    TLabel::Loaded();
    if (FControl)
        FControl->AttachLabel(this);
}

void TEcAttachedLabel::Click()
{
    if (FControl && FControl->CanFocus())
        FControl->SetFocus();
}

void TEcAttachedLabel::InitializeHandle()
{
    TLabel::InitializeHandle();
    AdjustSize();
}

void TEcAttachedLabel::FontChanged()
{
    TLabel::FontChanged();
    AdjustSize();
}

HBRUSH TEcAttachedLabel::CtlColor(HDC dc)
{
    SetTextColor(dc, ColorToRGB(Font().Color()));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(EffectiveColor()));
    return BackgroundBrush();
}

LRESULT TEcAttachedLabel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = TLabel::WndProc(msg, wParam, lParam);
    if (msg == WM_SETTEXT)
        AdjustSize();
    return result;
}

void TEcAttachedLabel::AdjustSize()
{
    if (!HandleAllocated())
        return;
    const std::string caption = Caption();
    HDC dc = GetDC(FHandle);
    HGDIOBJ old = SelectObject(dc, Font().Handle());
    RECT rc{0, 0, 0, 0};
    // An empty caption still keeps one line's height.
    DrawTextA(dc, caption.empty() ? " " : caption.c_str(), -1, &rc, DT_CALCRECT | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(FHandle, dc);
    const int width = caption.empty() ? 0 : rc.right - rc.left;
    if (width != Width() || rc.bottom - rc.top != Height())
        SetBounds(Left(), Top(), width, rc.bottom - rc.top);
}

TEcSearchList::TEcSearchList(TComponent* AOwner) : TEcCustomControlEx(AOwner)
{
    SetBounds(0, 0, 100, 150);
    SetColor(clWindow);
    SetTabStop(true);
    FEdit = new TEcSearchEdit(this);
    FEdit->SetParentColor(true);
    FEdit->SetTabOrder(0);
    FEdit->SetParent(this);
    FList = new TEcSearchListBox(this);
    FList->SetParentColor(true);
    FList->SetTabOrder(1);
    FList->SetParent(this);
    FList->SearchField = FEdit;
}

void TEcSearchList::CreateParams(TCreateParams& params)
{
    TEcCustomControlEx::CreateParams(params);
    params.OwnClassName = "TEcSearchList";
    if (FBorderStyle == TBorderStyle::bsSingle) {
        if (FCtl3D)
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
}

void TEcSearchList::CreateHandle()
{
    if (!Controller())
        SetController(TEcController::FindFor(this));
    if (Controller() && !FEdit->Controller())
        FEdit->SetController(Controller());
    // Tests and the end-to-end driver find the two children by the ids right after the composite's own.
    if (ControlId() != 0) {
        if (FEdit->ControlId() == 0)
            FEdit->SetControlId(ControlId() + 1);
        if (FList->ControlId() == 0)
            FList->SetControlId(ControlId() + 2);
    }
    TEcCustomControlEx::CreateHandle();
    ArrangeChildren();
}

void TEcSearchList::Loaded()
{
    TEcCustomControlEx::Loaded();
    if (Controller())
        FEdit->SetController(Controller());
    // Activity in either child raises the composite's handlers, with the child as the sender.
    for (TControl* child : {static_cast<TControl*>(FEdit), static_cast<TControl*>(FList)}) {
        child->OnClick = OnClick;
        child->OnDblClick = OnDblClick;
        child->OnEnter = OnEnter;
        child->OnExit = OnExit;
        child->OnKeyDown = OnKeyDown;
        child->OnKeyPress = OnKeyPress;
        child->OnKeyUp = OnKeyUp;
        child->OnMouseDown = OnMouseDown;
    }
    for (TEcMouseEvents* child : {static_cast<TEcMouseEvents*>(FEdit), static_cast<TEcMouseEvents*>(FList)}) {
        child->OnMouseMove = OnMouseMove;
        child->OnMouseUp = OnMouseUp;
    }
    FEdit->OnChange = OnChange;
    // The focus moves between field and list and never rests on the composite.
    FEdit->SetTabStop(TabStop());
    FList->SetTabStop(TabStop());
    SetTabStop(false);
}

void TEcSearchList::SetItemHeight(int value)
{
    FList->SetItemHeight(value);
    ArrangeChildren();
}

void TEcSearchList::SetBorderStyle(TBorderStyle value)
{
    FBorderStyle = value;
    ApplyBorder();
}

void TEcSearchList::SetCtl3D(bool value)
{
    FCtl3D = value;
    ApplyBorder();
}

void TEcSearchList::ApplyBorder()
{
    if (!HandleAllocated())
        return;
    HWND hwnd = Handle();
    LONG style = GetWindowLongA(hwnd, GWL_STYLE) & ~WS_BORDER;
    LONG exStyle = GetWindowLongA(hwnd, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE;
    if (FBorderStyle == TBorderStyle::bsSingle) {
        if (FCtl3D)
            exStyle |= WS_EX_CLIENTEDGE;
        else
            style |= WS_BORDER;
    }
    SetWindowLongA(hwnd, GWL_STYLE, style);
    SetWindowLongA(hwnd, GWL_EXSTYLE, exStyle);
    // The frame is part of the non-client area: make the window measure it again, then lay out inside it.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ArrangeChildren();
}

void TEcSearchList::SetFocus() { FEdit->SetFocus(); }

void TEcSearchList::FontChanged()
{
    TEcCustomControlEx::FontChanged();
    ArrangeChildren();
}

void TEcSearchList::ArrangeChildren()
{
    if (!HandleAllocated() || !FEdit->HandleAllocated() || !FList->HandleAllocated())
        return;
    RECT client;
    GetClientRect(Handle(), &client);
    const TSearchListLayout layout = LayoutSearchList(client.right, client.bottom, FList->ItemHeight());
    FEdit->SetBounds(layout.Field.Left, layout.Field.Top, layout.Field.Width, layout.Field.Height);
    FList->SetBounds(layout.List.Left, layout.List.Top, layout.List.Width, layout.List.Height);
    Invalidate();
}

void TEcSearchList::Paint(HDC dc)
{
    // The separator between field and list, drawn with the canvas's current (default) pen.
    const int y = LayoutSearchList(0, 0, FList->ItemHeight()).SeparatorY;
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, Width(), y);
}

LRESULT TEcSearchList::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = TEcCustomControlEx::WndProc(msg, wParam, lParam);
    if (msg == WM_SIZE)
        ArrangeChildren();
    return result;
}
