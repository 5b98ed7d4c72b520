// TUcLabel, a painted label with frame, text-style, blinking and hover-colour options, and TUcURLLabel, the link
// that opens its address with the shell and turns to its visited colour.
#pragma once
#include <string>

#include "toolkit/Cursors.h"
#include "toolkit/StdCtrls.h"

enum TUcTextStyle { tsNormal, tsRaised, tsRecessed };

// Sides of the label's frame, combined with |.
enum TUcFrameSide : unsigned { fsLeft = 1, fsTop = 2, fsRight = 4, fsBottom = 8 };
using TUcFrameSides = unsigned;
inline constexpr TUcFrameSides kAllFrameSides = fsLeft | fsTop | fsRight | fsBottom;

class TUcLabel : public TLabel {
public:
    explicit TUcLabel(TComponent* AOwner);

    TUcFrameSides FrameSides() const { return FFrameSides; }
    void SetFrameSides(TUcFrameSides sides);
    TUcTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TUcTextStyle style) { FTextStyle = style; Invalidate(); }

    // The text comes and goes every BlinkInterval milliseconds while Blinking is on.
    bool Blinking() const { return FBlinking; }
    void SetBlinking(bool value);
    int BlinkInterval() const { return FBlinkInterval; }
    void SetBlinkInterval(int milliseconds);
    // Whether the text is shown at this moment (always, unless blinking has just hidden it).
    bool TextShown() const { return !FBlinkHidden; }

    // While the mouse is over the label its text takes FlyByColor.
    bool FlyByEnabled() const { return FFlyByEnabled; }
    void SetFlyByEnabled(bool value) { FFlyByEnabled = value; Invalidate(); }
    TColor FlyByColor() const { return FFlyByColor; }
    void SetFlyByColor(TColor color) { FFlyByColor = color; Invalidate(); }

    // Number of the screen cursor shown over the label (Cursors.h).
    int Cursor = crDefault;

    // The colour the text is painted in now.
    TColor TextColor();

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeHandle() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

private:
    void UpdateBlinkTimer();
    void DrawLabelText(HDC dc, RECT rc, int dx, int dy, COLORREF color);

    TUcFrameSides FFrameSides = kAllFrameSides;
    TUcTextStyle FTextStyle = tsRecessed;
    bool FBlinking = false;
    int FBlinkInterval = 500;
    bool FBlinkHidden = false;
    bool FFlyByEnabled = false;
    TColor FFlyByColor = clRed;
    bool FHovering = false;
    bool FPressed = false;
};

// The screen cursor number of the link label's hand.
inline constexpr int crUcHand = 26000;

class TUcURLLabel : public TUcLabel {
public:
    explicit TUcURLLabel(TComponent* AOwner);

    // Address opened by a click; when blank the caption is opened instead.
    std::string URL;
    bool Visited() const { return FVisited; }
    void SetVisited(bool value) { FVisited = value; UpdateLinkColor(); }
    TColor UnvisitedColor() const { return FUnvisitedColor; }
    void SetUnvisitedColor(TColor color) { FUnvisitedColor = color; UpdateLinkColor(); }
    TColor VisitedColor() const { return FVisitedColor; }
    void SetVisitedColor(TColor color) { FVisitedColor = color; UpdateLinkColor(); }

    // Raises OnClick, then opens the target; a success marks the link visited, a failure stays silent.
    void Click() override;

protected:
    // Asks the shell to open the target; true on success.
    virtual bool OpenTarget(const std::string& target);
    // Lets the user pick a program for web pages, after a page failed to open.
    virtual void OfferOpenWith();

private:
    void UpdateLinkColor();

    bool FVisited = false;
    TColor FUnvisitedColor = clHighlight;
    TColor FVisitedColor = 0x800080;
};
