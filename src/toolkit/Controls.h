// TControl: a component that owns exactly one window, with one dispatch point and reflected notifications.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/Exceptions.h"
#include "core/MouseButton.h"
#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"

class TBackgroundDrag;
class TPopupMenu;

inline int XFromLParam(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
// The button a button-down or button-up message is about.
inline TMouseButton MouseButtonOf(UINT msg)
{
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP)
        return TMouseButton::mbLeft;
    return msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP ? TMouseButton::mbRight : TMouseButton::mbMiddle;
}
inline int YFromLParam(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

// Registers a window class of the toolkit (once) whose windows dispatch to their TControl.
void RegisterWindowClass(const char* className, UINT style);

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, WPARAM Keys, int X, int Y)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, WPARAM Shift)>;
// Answers true when it took the message and set `result`.
using TMessageHandler = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

struct TCreateParams {
    const char* ClassName = nullptr; // a system class (subclassed), or null for a class of the toolkit's own
    const char* OwnClassName = nullptr; // the toolkit class to register and use when ClassName is null
    DWORD Style = 0;
    DWORD ExStyle = 0;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // Makes `parent` the parent window; creates the window now if the parent has one.
    void SetParent(TControl* parent);
    TControl* Parent() const { return FParent; }
    const std::vector<TControl*>& Controls() const { return FControls; }

    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetBounds(int left, int top, int width, int height);

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }

    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    // Visible and enabled along the whole parent chain: the control can react to its accelerator.
    bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    // The colour the control's background actually shows (its own or its parent's).
    TColor EffectiveColor() const;

    TFont& Font() { return FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int order) { FTabOrder = order; }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    int ControlId() const { return FControlId; }
    void SetControlId(int id) { FControlId = id; }

    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu) { FPopupMenu = menu; }

    void Invalidate();
    void Update();
    void Repaint()
    {
        Invalidate();
        Update();
    }

    // The object behind a window made by the toolkit, or null.
    static TControl* FromHandle(HWND hwnd);
    static WNDPROC WindowProcedure();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnChange;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TMouseEvent OnMouseDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;

    // Raises OnClick as a user click would.
    virtual void Click();

    // Whether the control takes this dialog key itself (Tab, Enter, Escape) instead of the form.
    virtual bool WantsDialogKey(WPARAM key);
    // Buttons answer to Alt+letter of their caption's '&' letter.
    virtual bool IsAcceleratorTarget() const { return false; }

    // Messages: everything goes through here; unhandled ones reach DefaultHandler.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateHandle();
    // After the window exists: fonts, texts and anything held while there was no window.
    virtual void InitializeHandle();
    virtual HWND ParentHandleForCreate();
    void DestroyHandle();

    // Reflected from the parent: a WM_COMMAND notification code, owner drawing, colours.
    virtual bool CommandNotify(WORD code);
    virtual bool DrawItem(DRAWITEMSTRUCT& item);
    virtual bool MeasureItem(MEASUREITEMSTRUCT& item);
    virtual HBRUSH CtlColor(HDC dc);
    virtual void Paint(HDC dc);

    virtual void FontChanged();
    virtual void ColorChanged();

    HBRUSH BackgroundBrush() { return FBrush.Handle(EffectiveColor()); }

    HWND FHandle = nullptr;

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hwnd);
    void PropagateFont();
    void PropagateColor();
    bool HandleKeyboard(UINT msg, WPARAM wParam);

    TControl* FParent = nullptr;
    std::vector<TControl*> FControls;
    WNDPROC FOldProc = nullptr;
    std::string FCaption;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    bool FTabStop = false;
    int FTabOrder = -1;
    int FControlId = 0;
    TColor FColor = clBtnFace;
    bool FParentColor = false;
    TFont FFont;
    bool FParentFont = true;
    bool FSyncingFont = false;
    TBrush FBrush;
    TPopupMenu* FPopupMenu = nullptr;
    TBackgroundDrag* FBackgroundDrag = nullptr; // set on the background of a form that it drags

    friend class TForm;
    friend class TApplication;
};
