// The message dialog, built from an in-memory template and laid out in pixels around its text.
#include "toolkit/Dialogs.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Forms.h"

namespace {

struct ButtonSpec {
    TMsgDlgBtn Flag;
    int Id;
    const char* Caption;
};

constexpr ButtonSpec kButtons[] = {
    {mbYes, IDYES, "&Evet"},
    {mbNo, IDNO, "&Hayır"},
    {mbOK, IDOK, "Tamam"},
    {mbCancel, IDCANCEL, "İptal"},
};

constexpr int kIconId = 100;
constexpr int kTextId = 101;

struct DialogState {
    std::string Message;
    const char* Caption;
    LPCSTR Icon;
    std::vector<ButtonSpec> Buttons;
};

// Appends a zero-terminated UTF-16 copy of an 8-bit text (the system code page, as every window text).
void AppendText(std::vector<WORD>& out, const char* text)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(std::max(n, 1)));
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), n);
    for (wchar_t c : wide)
        out.push_back(static_cast<WORD>(c));
}

void AlignDword(std::vector<WORD>& out)
{
    if (out.size() % 2)
        out.push_back(0);
}

void AppendItem(std::vector<WORD>& out, DWORD style, int id, WORD classAtom, const char* text)
{
    AlignDword(out);
    DLGITEMTEMPLATE item{};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.cx = 10;
    item.cy = 10;
    item.id = static_cast<WORD>(id);
    const WORD* raw = reinterpret_cast<const WORD*>(&item);
    out.insert(out.end(), raw, raw + sizeof(item) / sizeof(WORD));
    out.push_back(0xFFFF);
    out.push_back(classAtom);
    AppendText(out, text);
    out.push_back(0); // no creation data
}

void LayOut(HWND dialog, const DialogState& state)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, font);
    RECT text{0, 0, 380, 0};
    DrawTextA(dc, state.Message.c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SIZE buttonText{};
    int buttonWidth = 75;
    for (const auto& b : state.Buttons) {
        GetTextExtentPoint32A(dc, b.Caption, lstrlenA(b.Caption), &buttonText);
        buttonWidth = std::max(buttonWidth, static_cast<int>(buttonText.cx) + 24);
    }
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);

    const int margin = 12, iconSize = 32, gap = 12, buttonHeight = 25, buttonGap = 8;
    const int textLeft = margin + iconSize + gap;
    const int textHeight = std::max(static_cast<int>(text.bottom), iconSize);
    const int buttonsWidth = static_cast<int>(state.Buttons.size()) * (buttonWidth + buttonGap) - buttonGap;
    const int clientWidth = std::max(textLeft + static_cast<int>(text.right) + margin, buttonsWidth + 2 * margin);
    const int buttonsTop = margin + textHeight + gap;
    const int clientHeight = buttonsTop + buttonHeight + margin;

    SetWindowPos(GetDlgItem(dialog, kIconId), nullptr, margin, margin, iconSize, iconSize, SWP_NOZORDER);
    SendDlgItemMessageA(dialog, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, state.Icon)), 0);
    SetWindowPos(GetDlgItem(dialog, kTextId), nullptr, textLeft, margin + (textHeight - text.bottom) / 2,
        text.right, text.bottom, SWP_NOZORDER);
    int x = (clientWidth - buttonsWidth) / 2;
    for (const auto& b : state.Buttons) {
        SetWindowPos(GetDlgItem(dialog, b.Id), nullptr, x, buttonsTop, buttonWidth, buttonHeight, SWP_NOZORDER);
        x += buttonWidth + buttonGap;
    }
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
        static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w,
        h, SWP_NOZORDER);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        state = reinterpret_cast<DialogState*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetWindowTextA(dialog, state->Caption);
        SetDlgItemTextA(dialog, kTextId, state->Message.c_str());
        LayOut(dialog, *state);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        for (const auto& b : state->Buttons)
            if (b.Id == id) {
                EndDialog(dialog, id);
                return TRUE;
            }
        if (id == IDCANCEL) {
            // Escape or the close box: cancel if there is such a button, else the only way out.
            EndDialog(dialog, state->Buttons.size() == 1 ? state->Buttons.front().Id : IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

int ToModalResult(INT_PTR id)
{
    switch (id) {
    case IDOK:
        return mrOk;
    case IDYES:
        return mrYes;
    case IDNO:
        return mrNo;
    default:
        return mrCancel;
    }
}

} // namespace

const char* MessageDlgCaption(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning:
        return "Uyarı";
    case TMsgDlgType::mtError:
        return "Hata";
    case TMsgDlgType::mtInformation:
        return "Bilgi";
    case TMsgDlgType::mtConfirmation:
        return "Onay";
    default:
        return Application ? "Varnel" : "";
    }
}

int MessageDlg(const std::string& message, TMsgDlgType type, unsigned buttons, int)
{
    DialogState state;
    state.Message = message;
    state.Caption = MessageDlgCaption(type);
    switch (type) {
    case TMsgDlgType::mtWarning:
        state.Icon = MAKEINTRESOURCEA(32515); // IDI_WARNING
        break;
    case TMsgDlgType::mtError:
        state.Icon = MAKEINTRESOURCEA(32513); // IDI_ERROR
        break;
    case TMsgDlgType::mtConfirmation:
        state.Icon = MAKEINTRESOURCEA(32514); // IDI_QUESTION
        break;
    default:
        state.Icon = MAKEINTRESOURCEA(32516); // IDI_INFORMATION
        break;
    }
    for (const auto& b : kButtons)
        if (buttons & b.Flag)
            state.Buttons.push_back(b);
    if (state.Buttons.empty())
        state.Buttons.push_back(kButtons[2]);

    std::vector<WORD> tpl;
    DLGTEMPLATE header{};
    header.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    header.cdit = static_cast<WORD>(2 + state.Buttons.size());
    header.cx = 200;
    header.cy = 80;
    const WORD* raw = reinterpret_cast<const WORD*>(&header);
    tpl.insert(tpl.end(), raw, raw + sizeof(header) / sizeof(WORD));
    tpl.push_back(0); // no menu
    tpl.push_back(0); // the dialog class
    tpl.push_back(0); // caption set at initialisation
    tpl.push_back(8);
    AppendText(tpl, "MS Shell Dlg");
    AppendItem(tpl, SS_ICON, kIconId, 0x0082, "");
    AppendItem(tpl, SS_LEFT | SS_NOPREFIX, kTextId, 0x0082, "");
    bool first = true;
    for (const auto& b : state.Buttons) {
        AppendItem(tpl, WS_TABSTOP | (first ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON), b.Id, 0x0080, b.Caption);
        first = false;
    }
    HWND owner = GetActiveWindow();
    if (!owner && Application)
        owner = Application->Handle();
    const INT_PTR id = DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
        reinterpret_cast<LPCDLGTEMPLATEA>(tpl.data()), owner, DialogProc, reinterpret_cast<LPARAM>(&state));
    return ToModalResult(id);
}
