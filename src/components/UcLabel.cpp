// TUcLabel paints its own text, frame and hover colour; TUcURLLabel opens its address through the shell.
#include "components/UcLabel.h"

#include <shellapi.h>

#include "core/ShellTargets.h"

namespace {
constexpr UINT_PTR kBlinkTimer = 1;
constexpr ULONG kOpenFlags = 0x540; // process handle back, wait for DDE, no error box of the shell's own
constexpr char kOpenWithCommand[] = "RunDLL32.exe Shell32.dll,OpenAs_RunDLL *.htm";
}

TUcLabel::TUcLabel(TComponent* AOwner) : TLabel(AOwner) {}

void TUcLabel::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = nullptr;
    params.OwnClassName = "TUcLabel";
}

void TUcLabel::InitializeHandle()
{
    TLabel::InitializeHandle();
    UpdateBlinkTimer();
}

void TUcLabel::SetFrameSides(TUcFrameSides sides)
{
    FFrameSides = sides & kAllFrameSides;
    Invalidate();
}

void TUcLabel::SetBlinking(bool value)
{
    FBlinking = value;
    UpdateBlinkTimer();
}

void TUcLabel::SetBlinkInterval(int milliseconds)
{
    FBlinkInterval = milliseconds > 0 ? milliseconds : 1;
    UpdateBlinkTimer();
}

void TUcLabel::UpdateBlinkTimer()
{
    if (!HandleAllocated())
        return;
    if (FBlinking) {
        SetTimer(FHandle, kBlinkTimer, static_cast<UINT>(FBlinkInterval), nullptr);
    } else {
        KillTimer(FHandle, kBlinkTimer);
        if (FBlinkHidden) {
            FBlinkHidden = false;
            Invalidate();
        }
    }
}

TColor TUcLabel::TextColor() { return FFlyByEnabled && FHovering ? FFlyByColor : Font().Color(); }

LRESULT TUcLabel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETCURSOR:
        if (ApplyCursor(Cursor, lParam))
            return TRUE;
        break;
    case WM_SETTEXT: {
        // The default handling stores the text but does not repaint a window of our own class.
        const LRESULT result = TLabel::WndProc(msg, wParam, lParam);
        Invalidate();
        return result;
    }
    case WM_LBUTTONDOWN:
        FPressed = true;
        SetCapture(FHandle);
        break;
    case WM_LBUTTONUP:
        if (FPressed) {
            FPressed = false;
            ReleaseCapture();
            RECT rc;
            GetClientRect(FHandle, &rc);
            const POINT at{XFromLParam(lParam), YFromLParam(lParam)};
            // Like a button: the click counts only when the mouse is released over the label.
            if (PtInRect(&rc, at))
                Click();
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        FPressed = false;
        break;
    case WM_MOUSEMOVE:
        if (!FHovering) {
            FHovering = true;
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
            TrackMouseEvent(&track);
            if (FFlyByEnabled)
                Invalidate();
        }
        break;
    case WM_MOUSELEAVE:
        FHovering = false;
        if (FFlyByEnabled)
            Invalidate();
        break;
    case WM_TIMER:
        if (wParam == kBlinkTimer) {
            FBlinkHidden = !FBlinkHidden;
            Invalidate();
            return 0;
        }
        break;
    default:
        break;
    }
    return TLabel::WndProc(msg, wParam, lParam);
}

void TUcLabel::DrawLabelText(HDC dc, RECT rc, int dx, int dy, COLORREF color)
{
    OffsetRect(&rc, dx, dy);
    SetTextColor(dc, color);
    const std::string text = Caption();
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_LEFT | DT_TOP | DT_SINGLELINE);
}

void TUcLabel::Paint(HDC dc)
{
    RECT rc;
    GetClientRect(FHandle, &rc);
    if (FFrameSides)
        DrawEdge(dc, &rc, BDR_SUNKENOUTER, FFrameSides);
    if (FBlinkHidden)
        return;
    HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    if (FTextStyle == tsRaised) {
        DrawLabelText(dc, rc, -1, -1, light);
        DrawLabelText(dc, rc, 1, 1, shadow);
    } else if (FTextStyle == tsRecessed) {
        DrawLabelText(dc, rc, -1, -1, shadow);
        DrawLabelText(dc, rc, 1, 1, light);
    }
    DrawLabelText(dc, rc, 0, 0, ColorToRGB(TextColor()));
    SelectObject(dc, oldFont);
}

TUcURLLabel::TUcURLLabel(TComponent* AOwner) : TUcLabel(AOwner)
{
    // A program without the hand in its resources still shows the system's own hand.
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), "UCLABEL_HANDCURSOR");
    if (!hand)
        hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)); // IDC_HAND
    Screen::SetCursor(crUcHand, hand);
    Cursor = crUcHand;
    SetTextStyle(tsNormal);
    Font().SetColor(FUnvisitedColor);
    Font().SetUnderline(true);
}

void TUcURLLabel::UpdateLinkColor()
{
    Font().SetColor(FVisited ? FVisitedColor : FUnvisitedColor);
    Repaint();
}

void TUcURLLabel::Click()
{
    TUcLabel::Click();
    const auto target = LinkTarget(URL, Caption());
    if (!target)
        return;
    if (OpenTarget(*target))
        SetVisited(true);
    else if (OffersOpenWith(*target))
        OfferOpenWith();
}

bool TUcURLLabel::OpenTarget(const std::string& target)
{
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = kOpenFlags;
    info.hwnd = nullptr;
    info.lpVerb = "Open";
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    const bool opened = ShellExecuteExA(&info) != FALSE;
    // The started process is none of our business; its handle must not leak.
    if (opened && info.hProcess)
        CloseHandle(info.hProcess);
    return opened;
}

void TUcURLLabel::OfferOpenWith() { WinExec(kOpenWithCommand, SW_SHOWNORMAL); }
