// TUcCheckList: the items with their per-item values, their mirror in the list box window, drawing and toggling.
#include "components/UcChkLst.h"

#include <algorithm>

#include "core/ProgramTexts.h"

namespace {

constexpr int kCheckLeft = 2;  // gap between the item's left edge and its check box
constexpr int kTextGap = 4;    // gap between the check box and the text
constexpr int kMaxItemHeight = 255;  // what LB_SETITEMHEIGHT accepts

bool ValidState(TCheckBoxState state) { return state == cbUnchecked || state == cbChecked || state == cbGrayed; }

// Where an index lands after removing the item at `removed` (-1 for that item itself).
int AfterRemove(int index, int removed)
{
    if (index == removed)
        return -1;
    return index > removed ? index - 1 : index;
}

int AfterInsert(int index, int inserted) { return index >= inserted ? index + 1 : index; }

}  // namespace

// ---- the items ----------------------------------------------------------------------------------

void TCheckListStrings::CheckIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        throw EListError(NoSuchItemText(index));
}

std::string TCheckListStrings::Get(int index) const
{
    CheckIndex(index, Count());
    return FItems[static_cast<size_t>(index)].Text;
}

int TCheckListStrings::IndexOf(const std::string& text) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].Text == text)
            return static_cast<int>(i);
    return -1;
}

int TCheckListStrings::Add(const std::string& text)
{
    const int index = Count();
    Insert(index, text);
    return index;
}

void TCheckListStrings::Insert(int index, const std::string& text)
{
    CheckIndex(index, Count() + 1);
    // Only an insert before the selection moves it; appending (ten thousand names at a show) asks nothing.
    const int selected = index < Count() ? FOwner.ItemIndex() : -1;
    TItem item{text};
    FOwner.WindowInsert(index, text, TUcCheckList::ItemData(item));
    FItems.insert(FItems.begin() + index, std::move(item));
    if (selected >= 0)
        FOwner.SetItemIndex(AfterInsert(selected, index));
}

void TCheckListStrings::Delete(int index)
{
    CheckIndex(index, Count());
    const int selected = FOwner.ItemIndex();
    FOwner.WindowDelete(index);
    FItems.erase(FItems.begin() + index);
    FOwner.SetItemIndex(AfterRemove(selected, index));
}

void TCheckListStrings::Clear()
{
    FOwner.WindowClear();
    FItems.clear();
    FOwner.FSavedItemIndex = -1;
    FOwner.FSavedTopIndex = 0;
}

void TCheckListStrings::Put(int index, const std::string& text)
{
    CheckIndex(index, Count());
    const int selected = FOwner.ItemIndex();
    const int top = FOwner.TopIndex();
    // The new text goes in before the old one leaves, so a refusal leaves the window as it was.
    FOwner.WindowInsert(index, text, TUcCheckList::ItemData(FItems[static_cast<size_t>(index)]));
    FOwner.WindowDelete(index + 1);
    FItems[static_cast<size_t>(index)].Text = text;
    FOwner.SetItemIndex(selected);
    FOwner.SetTopIndex(top);
}

void TCheckListStrings::Move(int curIndex, int newIndex)
{
    CheckIndex(curIndex, Count());
    CheckIndex(newIndex, Count());
    if (curIndex == newIndex)
        return;
    const int selected = FOwner.ItemIndex();
    const int top = FOwner.TopIndex();
    TItem item = FItems[static_cast<size_t>(curIndex)];
    // Copy first, then remove the original: a refused insertion changes nothing.
    if (newIndex > curIndex) {
        FOwner.WindowInsert(newIndex + 1, item.Text, TUcCheckList::ItemData(item));
        FOwner.WindowDelete(curIndex);
    } else {
        FOwner.WindowInsert(newIndex, item.Text, TUcCheckList::ItemData(item));
        FOwner.WindowDelete(curIndex + 1);
    }
    FItems.erase(FItems.begin() + curIndex);
    FItems.insert(FItems.begin() + newIndex, std::move(item));
    int newSelected = -1;
    if (selected == curIndex)
        newSelected = newIndex;
    else if (selected >= 0)
        newSelected = AfterInsert(AfterRemove(selected, curIndex), newIndex);
    FOwner.SetItemIndex(newSelected);
    FOwner.SetTopIndex(top);
}

TCheckBoxState TCheckListStrings::ItemState(int index) const
{
    CheckIndex(index, Count());
    return FItems[static_cast<size_t>(index)].State;
}

void TCheckListStrings::SetItemState(int index, TCheckBoxState state)
{
    CheckIndex(index, Count());
    if (!ValidState(state))
        throw EListError(InternalFaultText("onay kutusu durumu " + std::to_string(static_cast<int>(state)) + " geçersiz"));
    StoreItemField(index, &TItem::State, state);
}

bool TCheckListStrings::ItemEnabled(int index) const
{
    CheckIndex(index, Count());
    return FItems[static_cast<size_t>(index)].Enabled;
}

void TCheckListStrings::SetItemEnabled(int index, bool enabled)
{
    CheckIndex(index, Count());
    StoreItemField(index, &TItem::Enabled, enabled);
}

template <class T>
void TCheckListStrings::StoreItemField(int index, T TItem::*field, T value)
{
    TItem& item = FItems[static_cast<size_t>(index)];
    if (item.*field == value)
        return;
    item.*field = value;
    FOwner.WindowSetData(index, TUcCheckList::ItemData(item));
    if (FUpdateCount == 0) // the end of an update repaints the whole list
        FOwner.InvalidateItem(index);
}

void TCheckListStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        FOwner.SetRedraw(false);
}

void TCheckListStrings::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        FOwner.SetRedraw(true);
}

// ---- the control --------------------------------------------------------------------------------

TUcCheckList::TUcCheckList(TComponent* AOwner) : TControl(AOwner), FItems(*this), FTarget(*this)
{
    SetColor(clWindow);
    SetTabStop(true);
}

void TUcCheckList::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = "LISTBOX";
    // Strings stay in the window too, so that anyone can read the list with LB_GETTEXT.
    params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TUcCheckList::InitializeHandle()
{
    TControl::InitializeHandle();
    SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
    SendMessageA(FHandle, WM_SETREDRAW, FALSE, 0);
    for (size_t i = 0; i < FItems.FItems.size(); ++i)
        WindowInsert(static_cast<int>(i), FItems.FItems[i].Text, ItemData(FItems.FItems[i]));
    if (FItems.FUpdateCount == 0)
        SendMessageA(FHandle, WM_SETREDRAW, TRUE, 0);
    if (FSavedTopIndex > 0 && FSavedTopIndex < FItems.Count())
        SendMessageA(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(FSavedTopIndex), 0);
    if (FSavedItemIndex >= 0 && FSavedItemIndex < FItems.Count())
        SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FSavedItemIndex), 0);
}

void TUcCheckList::SaveWindowState()
{
    if (!FHandle)
        return;
    FSavedItemIndex = static_cast<int>(SendMessageA(FHandle, LB_GETCURSEL, 0, 0));
    FSavedTopIndex = static_cast<int>(SendMessageA(FHandle, LB_GETTOPINDEX, 0, 0));
}

void TUcCheckList::RecreateWnd()
{
    if (!FHandle)
        return;
    const bool hadFocus = Focused();
    SaveWindowState();
    DestroyHandle();
    CreateHandle();
    if (hadFocus)
        SetFocus();
}

int TUcCheckList::ItemIndex() const
{
    if (!FHandle)
        return FSavedItemIndex;
    const auto index = static_cast<int>(SendMessageA(FHandle, LB_GETCURSEL, 0, 0));
    return index < 0 ? -1 : index;
}

void TUcCheckList::SetItemIndex(int index)
{
    if (index < -1 || index >= FItems.Count())
        throw EListError(NoSuchItemText(index));
    MoveTo(index, FSavedItemIndex, &TUcCheckList::ItemIndex, LB_SETCURSEL);
}

int TUcCheckList::TopIndex() const
{
    if (!FHandle)
        return FSavedTopIndex;
    return std::max(0, static_cast<int>(SendMessageA(FHandle, LB_GETTOPINDEX, 0, 0)));
}

void TUcCheckList::SetTopIndex(int index)
{
    if (index < 0 || (index >= FItems.Count() && index != 0))
        throw EListError(NoSuchItemText(index));
    MoveTo(index, FSavedTopIndex, &TUcCheckList::TopIndex, LB_SETTOPINDEX);
}

void TUcCheckList::MoveTo(int index, int& saved, int (TUcCheckList::*shown)() const, UINT message)
{
    if (!FHandle) {
        saved = index;
        return;
    }
    // Setting the selection scrolls the item into view; leave the view alone when nothing changes.
    if ((this->*shown)() != index)
        SendMessageA(FHandle, message, static_cast<WPARAM>(index), 0);
}

void TUcCheckList::SetItemHeight(int height)
{
    if (height < 1 || height > kMaxItemHeight)
        throw EListError(InternalFaultText("satır yüksekliği " + std::to_string(height) + " geçersiz"));
    FItemHeight = height;
    if (FHandle) {
        SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, height);
        Invalidate();
    }
}

LPARAM TUcCheckList::ItemData(const TCheckListStrings::TItem& item)
{
    return static_cast<LPARAM>(item.State) | (item.Enabled ? 0 : kDisabledFlag);
}

void TUcCheckList::WindowInsert(int index, const std::string& text, LPARAM data)
{
    if (!FHandle)
        return;
    const LRESULT at = SendMessageA(FHandle, LB_INSERTSTRING, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(text.c_str()));
    if (at < 0)
        throw EListError(ListFullText());
    SendMessageA(FHandle, LB_SETITEMDATA, static_cast<WPARAM>(at), data);
}

void TUcCheckList::WindowDelete(int index)
{
    if (FHandle)
        SendMessageA(FHandle, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TUcCheckList::WindowClear()
{
    if (FHandle)
        SendMessageA(FHandle, LB_RESETCONTENT, 0, 0);
}

void TUcCheckList::WindowSetData(int index, LPARAM data)
{
    if (FHandle)
        SendMessageA(FHandle, LB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

void TUcCheckList::SetRedraw(bool redraw)
{
    if (!FHandle)
        return;
    SendMessageA(FHandle, WM_SETREDRAW, redraw, 0);
    if (redraw)
        InvalidateRect(FHandle, nullptr, TRUE);
}

void TUcCheckList::InvalidateItem(int index)
{
    if (!FHandle)
        return;
    RECT rc;
    if (SendMessageA(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rc)) != LB_ERR)
        InvalidateRect(FHandle, &rc, FALSE);
}

bool TUcCheckList::MeasureItem(MEASUREITEMSTRUCT& item)
{
    item.itemHeight = static_cast<UINT>(FItemHeight);
    return true;
}

bool TUcCheckList::DrawItem(DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const RECT rc = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= FItems.FItems.size()) {
        // An empty list with the focus: only the focus frame.
        if (item.itemState & ODS_FOCUS)
            DrawFocusRect(dc, &rc);
        return true;
    }
    const TCheckListStrings::TItem& entry = FItems.FItems[item.itemID];

    const COLORREF back = selected ? GetSysColor(COLOR_HIGHLIGHT) : ColorToRGB(EffectiveColor());
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);

    const int height = rc.bottom - rc.top;
    const int size = std::min(kCheckBoxSize, height);
    RECT box{rc.left + kCheckLeft, rc.top + (height - size) / 2, 0, 0};
    box.right = box.left + size;
    box.bottom = box.top + size;
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (entry.State == cbChecked)
        state |= DFCS_CHECKED;
    else if (entry.State == cbGrayed)
        state = DFCS_BUTTON3STATE | DFCS_CHECKED | DFCS_FLAT;
    if (!entry.Enabled)
        state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);

    RECT text{box.right + kTextGap, rc.top, rc.right, rc.bottom};
    HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    COLORREF textColor = ColorToRGB(Font().Color());
    if (!entry.Enabled)
        textColor = GetSysColor(COLOR_GRAYTEXT);
    else if (selected)
        textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
    SetTextColor(dc, textColor);
    DrawTextA(dc, entry.Text.c_str(), static_cast<int>(entry.Text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, oldFont);
    if (item.itemState & ODS_FOCUS) {
        RECT focus{box.right + kTextGap / 2, rc.top, rc.right, rc.bottom};
        DrawFocusRect(dc, &focus);
    }
    return true;
}

void TUcCheckList::MouseDown(int x, int y)
{
    // Items have one height, so the row is plain arithmetic; LB_ITEMFROMPOINT would cut indexes to 16 bits.
    int index = y >= 0 ? TopIndex() + y / FItemHeight : -1;
    if (index >= FItems.Count())
        index = -1;
    int xInItem = -1;
    if (index >= 0) {
        RECT rc;
        if (SendMessageA(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rc)) != LB_ERR)
            xInItem = x - rc.left;
    }
    FToggle.MouseDown(FTarget, true, index, xInItem, kCheckBoxSize);
}

void TUcCheckList::MouseUp(int x, int y)
{
    RECT client;
    GetClientRect(FHandle, &client);
    const POINT pt{x, y};
    FToggle.MouseUp(FTarget, true, PtInRect(&client, pt) != FALSE);
}

LRESULT TUcCheckList::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CHAR:
        // A typed space would jump to an item starting with a blank, as a typed letter does.
        if (TCheckToggle::SwallowsChar(static_cast<char>(wParam)))
            return 0;
        break;
    case WM_KEYDOWN: {
        // The list box handles the key first, so the selection the space bar arms is the current one.
        const LRESULT result = TControl::WndProc(msg, wParam, lParam);
        FToggle.KeyDown(FTarget, wParam == VK_SPACE);
        return result;
    }
    case WM_KEYUP: {
        const LRESULT result = TControl::WndProc(msg, wParam, lParam);
        FToggle.KeyUp(FTarget, wParam == VK_SPACE);
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // A quick second click arrives as a double click; it is a press like any other for the check box.
        const LRESULT result = TControl::WndProc(msg, wParam, lParam);
        if (FHandle)
            MouseDown(XFromLParam(lParam), YFromLParam(lParam));
        return result;
    }
    case WM_LBUTTONUP: {
        const LRESULT result = TControl::WndProc(msg, wParam, lParam);
        if (FHandle)
            MouseUp(XFromLParam(lParam), YFromLParam(lParam));
        return result;
    }
    case WM_DESTROY:
        // Destroyed along with its parent: keep what re-creation has to bring back.
        SaveWindowState();
        break;
    default:
        break;
    }
    return TControl::WndProc(msg, wParam, lParam);
}

// ---- the toggle rules' view of the list -----------------------------------------------------------

int TUcCheckList::TToggleTarget::Count() const { return FList.FItems.Count(); }

int TUcCheckList::TToggleTarget::SelectedIndex() const { return FList.ItemIndex(); }

TCheckBoxState TUcCheckList::TToggleTarget::ItemState(int index) const { return FList.FItems.ItemState(index); }

bool TUcCheckList::TToggleTarget::ItemEnabled(int index) const { return FList.FItems.ItemEnabled(index); }

bool TUcCheckList::TToggleTarget::StateChanging(int index, TCheckBoxState newState)
{
    bool allow = true;
    if (FList.OnChanging)
        FList.OnChanging(&FList, index, newState, allow);
    return allow;
}

void TUcCheckList::TToggleTarget::SetItemState(int index, TCheckBoxState state)
{
    // OnChanging may have emptied the list.
    if (index < FList.FItems.Count())
        FList.FItems.SetItemState(index, state);
}

void TUcCheckList::TToggleTarget::StateChanged(int index, TCheckBoxState newState)
{
    if (FList.OnChange)
        FList.OnChange(&FList, index, newState);
}
