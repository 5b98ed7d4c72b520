// TCustomComboBox: the system COMBOBOX class wrapped, with the open list sized by a number of items.
#include "toolkit/ComboBox.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "core/ProgramTexts.h"

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TControl(AOwner)
{
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomComboBox::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = "COMBOBOX";
    params.Style |= WS_VSCROLL;
    switch (FStyle) {
    case TComboBoxStyle::csDropDown:
        params.Style |= CBS_DROPDOWN | CBS_AUTOHSCROLL;
        break;
    case TComboBoxStyle::csDropDownList:
        params.Style |= CBS_DROPDOWNLIST;
        break;
    case TComboBoxStyle::csOwnerDrawFixed:
        params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
        break;
    case TComboBoxStyle::csOwnerDrawVariable:
        params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;
        break;
    }
}

void TCustomComboBox::CreateHandle()
{
    if (HandleAllocated())
        return;
    TControl::CreateHandle();
    CreateItems();
    UpdateDroppedHeight();
}

void TCustomComboBox::RecreateWnd()
{
    if (!HandleAllocated())
        return;
    const bool focused = Focused();
    DestroyHandle();
    CreateHandle();
    if (focused)
        SetFocus();
}

void TCustomComboBox::SetStyle(TComboBoxStyle style)
{
    if (FStyle == style)
        return;
    FStyle = style;
    RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int count)
{
    FDropDownCount = std::max(count, 1);
    if (HandleAllocated())
        UpdateDroppedHeight();
}

void TCustomComboBox::CheckIndex(int index, const char* what)
{
    if (index < 0 || index >= ItemCount())
        throw Exception(InternalFaultText(std::string(what) + ": listede " + std::to_string(index) + ". sıra yok"));
}

int TCustomComboBox::ItemCount() { return static_cast<int>(Perform(CB_GETCOUNT)); }

int TCustomComboBox::AddItem(const std::string& text, LPARAM data)
{
    const LRESULT index = Perform(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0)
        throw Exception(InternalFaultText(Name() + " listesine \"" + text + "\" eklenemedi"));
    Perform(CB_SETITEMDATA, static_cast<WPARAM>(index), data);
    return static_cast<int>(index);
}

void TCustomComboBox::ReplaceItem(int index, const std::string& text, LPARAM data)
{
    CheckIndex(index, "ReplaceItem");
    const int selected = ItemIndex();
    Perform(CB_DELETESTRING, static_cast<WPARAM>(index));
    if (Perform(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())) < 0)
        throw Exception(InternalFaultText(Name() + " listesinde " + std::to_string(index) + ". sıra değiştirilemedi"));
    Perform(CB_SETITEMDATA, static_cast<WPARAM>(index), data);
    SetItemIndex(selected);
}

void TCustomComboBox::ClearItems() { Perform(CB_RESETCONTENT); }

std::string TCustomComboBox::ItemText(int index)
{
    CheckIndex(index, "ItemText");
    const LRESULT length = Perform(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0)
        return {};
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = Perform(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data(), static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
}

LPARAM TCustomComboBox::ItemData(int index)
{
    CheckIndex(index, "ItemData");
    return static_cast<LPARAM>(Perform(CB_GETITEMDATA, static_cast<WPARAM>(index)));
}

void TCustomComboBox::SetItemData(int index, LPARAM data)
{
    CheckIndex(index, "SetItemData");
    Perform(CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

int TCustomComboBox::ItemIndex() { return static_cast<int>(Perform(CB_GETCURSEL)); }

void TCustomComboBox::SetItemIndex(int index)
{
    Perform(CB_SETCURSEL, static_cast<WPARAM>(index < 0 ? -1 : index));
}

bool TCustomComboBox::DroppedDown() { return Perform(CB_GETDROPPEDSTATE) != 0; }

void TCustomComboBox::SetDroppedDown(bool dropped) { Perform(CB_SHOWDROPDOWN, dropped); }

bool TCustomComboBox::CommandNotify(WORD code)
{
    switch (code) {
    case CBN_SELCHANGE:
        Change();
        return true;
    case CBN_DROPDOWN:
        DropDown();
        return true;
    case CBN_CLOSEUP:
        CloseUp();
        return true;
    default:
        return false;
    }
}

void TCustomComboBox::Change() { Fire(OnChange, this); }

void TCustomComboBox::DropDown()
{
    // Items may have been measured anew since the window was made.
    UpdateDroppedHeight();
    Fire(OnDropDown, this);
}

void TCustomComboBox::CloseUp() { Fire(OnCloseUp, this); }

int TCustomComboBox::DroppedListHeight()
{
    const LRESULT itemHeight = Perform(CB_GETITEMHEIGHT, 0);
    const int height = itemHeight > 0 ? static_cast<int>(itemHeight) : 16;
    return FDropDownCount * height + 2 * GetSystemMetrics(SM_CYBORDER);
}

void TCustomComboBox::UpdateDroppedHeight()
{
    // Version 6 of the common controls counts the open list in items (30 unless told); the older control
    // takes the height of its window as field plus open list, so the window is made as high as both.
    Perform(CB_SETMINVISIBLE, static_cast<WPARAM>(FDropDownCount));
    RECT field;
    GetWindowRect(FHandle, &field);
    if (DroppedDown())
        return;
    SetWindowPos(FHandle, nullptr, 0, 0, field.right - field.left, field.bottom - field.top + DroppedListHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
