// TControl: window creation, the single dispatch point, reflection of child notifications, fonts and colours.
#include "toolkit/Controls.h"

#include <algorithm>

#include "core/ProgramTexts.h"
#include "toolkit/BackgroundDrag.h"
#include "toolkit/ExceptionHandler.h"
#include "toolkit/Menus.h"

namespace {
constexpr char kObjectProp[] = "VarnelControl";
constexpr char kOwnClass[] = "TVarnelControl";

// The control whose window is being created: WM_MEASUREITEM arrives before CreateWindowEx returns.
thread_local TControl* tlsCreating = nullptr;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner)
{
    FFont.OnChange = [this] { FontChanged(); };
}

TControl::~TControl()
{
    for (TControl* child : FControls)
        child->FParent = nullptr;
    if (FParent) {
        auto& siblings = FParent->FControls;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    DestroyHandle();
}

TControl* TControl::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<TControl*>(GetPropA(hwnd, kObjectProp)) : nullptr;
}

void RegisterWindowClass(const char* className, UINT style)
{
    WNDCLASSEXA existing{sizeof(existing)};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(instance, className, &existing))
        return;
    WNDCLASSEXA wc{sizeof(wc)};
    wc.style = style;
    wc.lpfnWndProc = TControl::WindowProcedure();
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
}

WNDPROC TControl::WindowProcedure() { return &TControl::StaticWndProc; }

void TControl::SetParent(TControl* parent)
{
    if (FParent == parent)
        return;
    if (FParent) {
        auto& siblings = FParent->FControls;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    FParent = parent;
    if (!FParent)
        return;
    FParent->FControls.push_back(this);
    if (FParentFont) {
        FSyncingFont = true;
        FFont.Assign(FParent->FFont);
        FSyncingFont = false;
    }
    if (FParent->HandleAllocated() && !FHandle)
        CreateHandle();
    else if (FHandle)
        ::SetParent(FHandle, FParent->Handle());
}

HWND TControl::Handle()
{
    if (!FHandle)
        CreateHandle();
    return FHandle;
}

void TControl::CreateParams(TCreateParams& params)
{
    params.ClassName = nullptr;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    params.ExStyle = 0;
}

HWND TControl::ParentHandleForCreate() { return FParent ? FParent->Handle() : nullptr; }

void TControl::CreateHandle()
{
    if (FHandle)
        return;
    TCreateParams params;
    CreateParams(params);
    if (FVisible)
        params.Style |= WS_VISIBLE;
    if (!FEnabled)
        params.Style |= WS_DISABLED;
    if (FTabStop)
        params.Style |= WS_TABSTOP;
    const bool ownClass = params.ClassName == nullptr;
    if (ownClass) {
        params.ClassName = params.OwnClassName ? params.OwnClassName : kOwnClass;
        RegisterWindowClass(params.ClassName, CS_DBLCLKS);
    }
    HWND parent = ParentHandleForCreate();
    const bool child = (params.Style & WS_CHILD) != 0;
    TControl* previous = tlsCreating;
    tlsCreating = this;
    HWND hwnd = CreateWindowExA(params.ExStyle, params.ClassName, FCaption.c_str(), params.Style, FLeft, FTop, FWidth,
        FHeight, parent, child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(FControlId)) : nullptr,
        GetModuleHandleA(nullptr), ownClass ? this : nullptr);
    tlsCreating = previous;
    if (!hwnd)
        throw Exception(WindowNotCreatedText(Name(), GetLastError()));
    if (!FHandle)
        Attach(hwnd);
    if (!ownClass)
        FOldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC,
            reinterpret_cast<LONG_PTR>(&TControl::StaticWndProc)));
    InitializeHandle();
    for (TControl* childControl : FControls)
        if (!childControl->FHandle)
            childControl->CreateHandle();
}

void TControl::Attach(HWND hwnd)
{
    FHandle = hwnd;
    SetPropA(hwnd, kObjectProp, this);
}

void TControl::InitializeHandle()
{
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
}

void TControl::DestroyHandle()
{
    if (!FHandle)
        return;
    HWND hwnd = FHandle;
    // Detach first: the window's last messages must not reach an object that is being destroyed.
    RemovePropA(hwnd, kObjectProp);
    if (FOldProc)
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldProc));
    FHandle = nullptr;
    FOldProc = nullptr;
    DestroyWindow(hwnd);
}

LRESULT CALLBACK TControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TControl* control = FromHandle(hwnd);
    if (!control && msg == WM_NCCREATE) {
        control = static_cast<TControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (control)
            control->Attach(hwnd);
    }
    if (!control)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    // Exceptions cannot unwind through user32: every one stops here and goes to the error box.
    try {
        result = control->WndProc(msg, wParam, lParam);
    } catch (...) {
        HandleCallbackException(control);
    }
    if (msg == WM_NCDESTROY && control->FHandle == hwnd) {
        RemovePropA(hwnd, kObjectProp);
        control->FHandle = nullptr;
        control->FOldProc = nullptr;
    }
    return result;
}

LRESULT TControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (FOldProc)
        return CallWindowProcA(FOldProc, FHandle, msg, wParam, lParam);
    return DefWindowProcA(FHandle, msg, wParam, lParam);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(Handle(), msg, wParam, lParam);
}

LRESULT TControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (FBackgroundDrag && FHandle && FBackgroundDrag->MouseMessage(FHandle, msg))
        return 0;
    switch (msg) {
    case WM_COMMAND:
        if (lParam)
            if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
                if (child->CommandNotify(HIWORD(wParam)))
                    return 0;
        break;
    case WM_DRAWITEM: {
        auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_MENU)
            if (TControl* child = FromHandle(item.hwndItem))
                if (child->DrawItem(item))
                    return TRUE;
        break;
    }
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_MENU) {
            TControl* child = FromHandle(GetDlgItem(FHandle, static_cast<int>(item.CtlID)));
            if (!child && tlsCreating && tlsCreating->FParent == this)
                child = tlsCreating;
            if (child && child->MeasureItem(item))
                return TRUE;
        }
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ERASEBKGND:
        if (!FOldProc) {
            RECT rc;
            GetClientRect(FHandle, &rc);
            FillRect(reinterpret_cast<HDC>(wParam), &rc, BackgroundBrush());
            return 1;
        }
        break;
    case WM_PAINT:
        if (!FOldProc) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(FHandle, &ps);
            Paint(dc);
            EndPaint(FHandle, &ps);
            return 0;
        }
        break;
    case WM_CONTEXTMENU:
        if (FPopupMenu && FPopupMenu->AutoPopup) {
            POINT pt{XFromLParam(lParam), YFromLParam(lParam)};
            if (lParam == -1) {
                pt = {0, 0};
                ClientToScreen(FHandle, &pt);
            }
            FPopupMenu->SetPopupComponent(this);
            // The window that owns the control's top-level window (a form's: the application window), else that one.
            const HWND root = GetAncestor(FHandle, GA_ROOT);
            const HWND owner = GetWindow(root, GW_OWNER);
            FPopupMenu->Popup(pt.x, pt.y, owner ? owner : root);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (OnMouseDown) {
            LRESULT result = DefaultHandler(msg, wParam, lParam);
            OnMouseDown(this, MouseButtonOf(msg), wParam, XFromLParam(lParam), YFromLParam(lParam));
            return result;
        }
        break;
    case WM_LBUTTONDBLCLK:
        if (OnDblClick) {
            LRESULT result = DefaultHandler(msg, wParam, lParam);
            Fire(OnDblClick, this);
            return result;
        }
        break;
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (HandleKeyboard(msg, wParam))
            return 0;
        break;
    case WM_SETFOCUS: {
        LRESULT result = DefaultHandler(msg, wParam, lParam);
        Fire(OnEnter, this);
        return result;
    }
    case WM_KILLFOCUS: {
        LRESULT result = DefaultHandler(msg, wParam, lParam);
        Fire(OnExit, this);
        return result;
    }
    default:
        break;
    }
    return DefaultHandler(msg, wParam, lParam);
}

// Lets the key handlers see and change (or swallow, with 0) a key before the control does.
bool TControl::HandleKeyboard(UINT msg, WPARAM wParam)
{
    if (msg == WM_CHAR && OnKeyPress) {
        char key = static_cast<char>(wParam);
        OnKeyPress(this, key);
        if (key == 0)
            return true;
        if (key != static_cast<char>(wParam)) {
            DefaultHandler(WM_CHAR, static_cast<unsigned char>(key), 0);
            return true;
        }
        return false;
    }
    const TKeyEvent& handler = msg == WM_KEYDOWN ? OnKeyDown : OnKeyUp;
    if ((msg == WM_KEYDOWN || msg == WM_KEYUP) && handler) {
        WORD key = static_cast<WORD>(wParam);
        WPARAM shift = (GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0) | (GetKeyState(VK_CONTROL) < 0 ? MK_CONTROL : 0);
        handler(this, key, shift);
        return key == 0;
    }
    return false;
}

bool TControl::CommandNotify(WORD) { return false; }
bool TControl::DrawItem(DRAWITEMSTRUCT&) { return false; }
bool TControl::MeasureItem(MEASUREITEMSTRUCT&) { return false; }

HBRUSH TControl::CtlColor(HDC dc)
{
    SetTextColor(dc, ColorToRGB(FFont.Color()));
    SetBkColor(dc, ColorToRGB(EffectiveColor()));
    return BackgroundBrush();
}

void TControl::Paint(HDC) {}

void TControl::Click() { Fire(OnClick, this); }

bool TControl::WantsDialogKey(WPARAM key)
{
    MSG msg{FHandle, WM_KEYDOWN, key, 0, 0, {0, 0}};
    const LRESULT code = SendMessageA(FHandle, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
    if (key == VK_TAB)
        return (code & DLGC_WANTTAB) != 0;
    return (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (FHandle)
        MoveWindow(FHandle, left, top, width, height, TRUE);
}

std::string TControl::Caption() const
{
    if (!FHandle)
        return FCaption;
    const int length = GetWindowTextLengthA(FHandle);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(FHandle, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

void TControl::SetCaption(const std::string& caption)
{
    FCaption = caption;
    if (FHandle)
        SetWindowTextA(FHandle, caption.c_str());
}

void TControl::SetVisible(bool visible)
{
    FVisible = visible;
    // SW_SHOWNA sends WM_SHOWWINDOW even to a window that is already visible: that is no showing.
    const bool shown = FHandle && (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_VISIBLE) != 0;
    if (FHandle && shown != visible)
        ShowWindow(FHandle, visible ? SW_SHOWNA : SW_HIDE);
}

void TControl::SetEnabled(bool enabled)
{
    FEnabled = enabled;
    if (FHandle)
        EnableWindow(FHandle, enabled);
}

bool TControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible || !c->FEnabled)
            return false;
    return true;
}

bool TControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TControl::SetFocus() { ::SetFocus(Handle()); }

void TControl::SetTabStop(bool value)
{
    FTabStop = value;
    if (FHandle) {
        LONG style = GetWindowLongA(FHandle, GWL_STYLE);
        SetWindowLongA(FHandle, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

void TControl::SetColor(TColor color)
{
    FColor = color;
    FParentColor = false;
    ColorChanged();
}

void TControl::SetParentColor(bool value)
{
    FParentColor = value;
    ColorChanged();
}

TColor TControl::EffectiveColor() const
{
    return (FParentColor && FParent) ? FParent->EffectiveColor() : FColor;
}

void TControl::ColorChanged()
{
    Invalidate();
    PropagateColor();
}

void TControl::PropagateColor()
{
    for (TControl* child : FControls)
        if (child->FParentColor)
            child->ColorChanged();
}

void TControl::SetParentFont(bool value)
{
    FParentFont = value;
    if (value && FParent) {
        FSyncingFont = true;
        FFont.Assign(FParent->FFont);
        FSyncingFont = false;
    }
}

void TControl::FontChanged()
{
    if (!FSyncingFont)
        FParentFont = false;
    if (FHandle) {
        SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
        Invalidate();
    }
    PropagateFont();
}

void TControl::PropagateFont()
{
    for (TControl* child : FControls) {
        if (!child->FParentFont)
            continue;
        child->FSyncingFont = true;
        child->FFont.Assign(FFont);
        child->FSyncingFont = false;
    }
}

void TControl::Invalidate()
{
    if (FHandle)
        InvalidateRect(FHandle, nullptr, TRUE);
}

void TControl::Update()
{
    if (FHandle)
        UpdateWindow(FHandle);
}
