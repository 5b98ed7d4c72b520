// The search list's entry list: a sorted platform list box and the entry store over its strings.
#include <string>

#include "components/EcISLb.h"
#include "core/ProgramTexts.h"

HWND TEcSearchListItems::Handle() const { return FList.Handle(); }

int TEcSearchListItems::Count() const
{
    const LRESULT count = SendMessageA(Handle(), LB_GETCOUNT, 0, 0);
    return count < 0 ? 0 : static_cast<int>(count);
}

std::string TEcSearchListItems::Get(int index) const
{
    HWND list = Handle();
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index < 0 || length == LB_ERR)
        throw Exception(NoSuchItemText(index));
    // One more byte for the terminating zero the list box writes.
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied == LB_ERR)
        throw Exception(NoSuchItemText(index));
    text.resize(static_cast<size_t>(copied > length ? length : copied));
    return text;
}

bool SameEntryText(const std::string& a, const std::string& b)
{
    constexpr size_t kLongest = 0x7FFFFFFF;
    if (a.size() > kLongest || b.size() > kLongest)
        return false;
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
               static_cast<int>(b.size())) == CSTR_EQUAL;
}

int TEcSearchListItems::IndexOf(const std::string& text) const
{
    // The list box's own case-insensitive comparison of whole texts; -1 (as WPARAM) searches from the first entry.
    const LRESULT found = SendMessageA(Handle(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
        reinterpret_cast<LPARAM>(text.c_str()));
    return found == LB_ERR ? -1 : static_cast<int>(found);
}

int TEcSearchListItems::Add(const std::string& text)
{
    const LRESULT index = SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index == LB_ERR || index == LB_ERRSPACE)
        throw EOutOfResources();
    return static_cast<int>(index);
}

void TEcSearchListItems::Delete(int index)
{
    if (SendMessageA(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0) == LB_ERR)
        throw Exception(NoSuchItemText(index));
}

void TEcSearchListItems::Clear() { SendMessageA(Handle(), LB_RESETCONTENT, 0, 0); }

TEcSearchListBox::TEcSearchListBox(TComponent* AOwner) : TControl(AOwner)
{
    SetColor(clWindow);
    SetTabStop(true);
}

void TEcSearchListBox::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = "LISTBOX";
    // No border and no 3D edge: the composite draws the frame. Exact height, so the layout is what it says.
    params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    if (FColumns > 0)
        params.Style |= LBS_MULTICOLUMN | WS_HSCROLL;
}

void TEcSearchListBox::InitializeHandle()
{
    TControl::InitializeHandle();
    ApplyColumnWidth();
}

int TEcSearchListBox::ItemIndex() const
{
    if (!FHandle)
        return -1;
    const LRESULT index = SendMessageA(FHandle, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void TEcSearchListBox::SetItemIndex(int index) { SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int TEcSearchListBox::TopIndex() const
{
    return FHandle ? static_cast<int>(SendMessageA(FHandle, LB_GETTOPINDEX, 0, 0)) : 0;
}

void TEcSearchListBox::SetTopIndex(int index) { SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0); }

int TEcSearchListBox::ItemHeight() const
{
    if (!FHandle)
        return FItemHeight;
    const LRESULT height = SendMessageA(FHandle, LB_GETITEMHEIGHT, 0, 0);
    return height > 0 ? static_cast<int>(height) : FItemHeight;
}

void TEcSearchListBox::SetItemHeight(int value)
{
    if (value >= 1)
        FItemHeight = value;
}

void TEcSearchListBox::SetColumns(int value)
{
    if (value < 0 || value == FColumns)
        return;
    const bool styleChanges = (value > 0) != (FColumns > 0);
    FColumns = value;
    if (!HandleAllocated())
        return;
    if (styleChanges) {
        // The multi-column style is fixed at creation: make the list again with its entries and selection.
        std::vector<std::string> entries;
        for (int i = 0, n = FItems.Count(); i < n; ++i)
            entries.push_back(FItems.Get(i));
        const int selected = ItemIndex();
        DestroyHandle();
        CreateHandle();
        for (const std::string& entry : entries)
            FItems.Add(entry);
        SetItemIndex(selected);
    }
    ApplyColumnWidth();
}

void TEcSearchListBox::ApplyColumnWidth()
{
    if (FHandle && FColumns > 0) {
        RECT client;
        GetClientRect(FHandle, &client);
        SendMessageA(FHandle, LB_SETCOLUMNWIDTH, static_cast<WPARAM>((client.right - client.left) / FColumns), 0);
    }
}

bool TEcSearchListBox::CommandNotify(WORD code)
{
    if (code != LBN_SELCHANGE)
        return false;
    // A click or a keyboard move: the click event first, then the entry goes into the field without searching.
    Click();
    const int index = ItemIndex();
    if (index >= 0 && SearchField)
        SearchField->SetText(FItems.Get(index));
    return true;
}

LRESULT TEcSearchListBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const LRESULT result = DefaultHandler(msg, wParam, lParam);
        FireMouse(this, msg, wParam, lParam);
        return result;
    }
    case WM_SIZE: {
        const LRESULT result = TControl::WndProc(msg, wParam, lParam);
        ApplyColumnWidth();
        return result;
    }
    default:
        return TControl::WndProc(msg, wParam, lParam);
    }
}
