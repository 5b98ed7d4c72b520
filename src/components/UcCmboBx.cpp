// The owner-drawn combo box base and the colour picker: items, selection, the colour dialog and the drawing.
#include "components/UcCmboBx.h"

#include <memory>

#include "core/Exceptions.h"
#include "core/ProgramTexts.h"

static_assert(static_cast<int>(TUcColorName::Custom) == kCustomColorName, "one published name per item");
static_assert(static_cast<int>(TUcColorName::DkShadow3D) == kFirstSystemColorName + 21, "3D names in table order");

namespace {

// Restores what was selected into a device context when it goes out of scope.
class TSelected {
public:
    TSelected(HDC dc, HGDIOBJ object) : FDc(dc), FOld(SelectObject(dc, object)) {}
    ~TSelected() { SelectObject(FDc, FOld); }
    TSelected(const TSelected&) = delete;
    TSelected& operator=(const TSelected&) = delete;

private:
    HDC FDc;
    HGDIOBJ FOld;
};

void FillColor(HDC dc, const RECT& rc, COLORREF color)
{
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &rc, brush.Get());
}

// A rectangle filled with one colour and outlined with another, drawn like GDI's Rectangle.
void OutlinedRect(HDC dc, const RECT& rc, COLORREF fill, COLORREF outline)
{
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(fill));
    TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, outline));
    TSelected selectBrush(dc, brush.Get());
    TSelected selectPen(dc, pen.Get());
    Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
}

constexpr int kFieldInset = 2;
constexpr int kListInset = 4;
constexpr int kCustomMarkRoom = 20;
constexpr int kNamedSwatchWidth = 14;
constexpr int kNameBackgroundLeft = 24;
constexpr int kNameLeft = 26;

}  // namespace

TUcCustomComboBox::TUcCustomComboBox(TComponent* AOwner) : TCustomComboBox(AOwner)
{
    SetStyle(TComboBoxStyle::csOwnerDrawVariable);
}

int TUcCustomComboBox::FontCharHeight()
{
    HDC dc = GetDC(nullptr);
    TEXTMETRICA metrics{};
    {
        TSelected font(dc, Font().Handle());
        GetTextMetricsA(dc, &metrics);
    }
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

int TUcCustomComboBox::MeasureItemHeight(int index) { return FontCharHeight() + (index < 0 ? 2 : 6); }

void TUcCustomComboBox::InitializeHandle()
{
    TCustomComboBox::InitializeHandle();
    ApplyItemHeights();
}

void TUcCustomComboBox::FontChanged()
{
    TCustomComboBox::FontChanged();
    if (HandleAllocated()) {
        ApplyItemHeights();
        UpdateDroppedHeight();
    }
}

void TUcCustomComboBox::ApplyItemHeights()
{
    // Set explicitly: otherwise the control may make its field at least as high as its own font asks.
    Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), MeasureItemHeight(-1));
    const int count = ItemCount();
    for (int i = 0; i < count; ++i)
        Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(i), MeasureItemHeight(i));
}

bool TUcCustomComboBox::MeasureItem(MEASUREITEMSTRUCT& item)
{
    const int index = item.itemID == static_cast<UINT>(-1) ? -1 : static_cast<int>(item.itemID);
    item.itemHeight = static_cast<UINT>(MeasureItemHeight(index));
    return true;
}

bool TUcCustomComboBox::DrawItem(DRAWITEMSTRUCT& item)
{
    DrawComboItem(item);
    return true;
}

const std::string& TUcColorNames::Get(TUcColorName name) const { return FPicker.ColorName(static_cast<int>(name)); }

void TUcColorNames::Set(TUcColorName name, std::string text)
{
    FPicker.SetColorName(static_cast<int>(name), std::move(text));
}

const std::string& TUcColorNames::Get(std::string_view publishedName) const
{
    return FPicker.ColorName(IndexOf(publishedName));
}

void TUcColorNames::Set(std::string_view publishedName, std::string text)
{
    FPicker.SetColorName(IndexOf(publishedName), std::move(text));
}

int TUcColorNames::IndexOf(std::string_view publishedName)
{
    const auto& infos = ColorNameInfos();
    for (int i = 0; i < kColorNameCount; ++i)
        if (infos[i].Property == publishedName)
            return i;
    throw Exception(InternalFaultText("'" + std::string(publishedName) + "' bir renk adı değil"));
}

TUcColorComboBox::TUcColorComboBox(TComponent* AOwner) : TUcCustomComboBox(AOwner) {}

void TUcColorComboBox::CreateItems()
{
    ClearItems();
    FItems.Rebuild();
    for (const TColorItem& item : FItems.Items())
        AddItem(item.Text, static_cast<LPARAM>(item.Color));
    FItemIndex = FItems.Items().empty() ? -1 : 0;
    SetItemIndex(FItemIndex);
}

void TUcColorComboBox::Loaded()
{
    TUcCustomComboBox::Loaded();
    const int current = HandleAllocated() ? ItemIndex() : FItemIndex;
    if (current < 0 && !FItems.Items().empty()) {
        FItemIndex = 0;
        if (HandleAllocated())
            SetItemIndex(0);
    }
}

void TUcColorComboBox::SyncItemColor(int nameIndex)
{
    const int index = FItems.ItemIndexOfName(nameIndex);
    if (index < 0 || !HandleAllocated())
        return;
    SetItemData(index, static_cast<LPARAM>(FItems.Items()[index].Color));
    Invalidate();
}

void TUcColorComboBox::SetDefaultColor(TColor color)
{
    FItems.SetDefaultColor(color);
    SyncItemColor(kDefaultColorName);
}

void TUcColorComboBox::SetCustomColor(TColor color)
{
    FItems.SetCustomColor(color);
    SyncItemColor(kCustomColorName);
}

void TUcColorComboBox::SetCustomColors(const std::vector<std::string>& lines)
{
    FCustomColors = NormaliseCustomColors(lines);
}

void TUcColorComboBox::SetColorName(int nameIndex, std::string text)
{
    FItems.SetName(nameIndex, std::move(text));
    const int index = FItems.ItemIndexOfName(nameIndex);
    if (index >= 0 && HandleAllocated())
        ReplaceItem(index, FItems.Items()[index].Text, static_cast<LPARAM>(FItems.Items()[index].Color));
}

void TUcColorComboBox::SetOptions(const TColorPickerOptions& options)
{
    FItems.SetOptions(options);
    if (HandleAllocated())
        RecreateWnd();
    else
        FItemIndex = FItems.Items().empty() ? -1 : 0;
}

void TUcColorComboBox::SetOption(bool TColorPickerOptions::*option, bool value)
{
    TColorPickerOptions options = FItems.Options();
    if (options.*option == value)
        return;
    options.*option = value;
    SetOptions(options);
}

void TUcColorComboBox::SetShowSysColors(bool value) { SetOption(&TColorPickerOptions::ShowSysColors, value); }

void TUcColorComboBox::SetShowDefaultColor(bool value) { SetOption(&TColorPickerOptions::ShowDefaultColor, value); }

void TUcColorComboBox::SetShowCustomColor(bool value) { SetOption(&TColorPickerOptions::ShowCustomColor, value); }

void TUcColorComboBox::SetShowColorNames(bool value)
{
    if (value == FShowColorNames)
        return;
    FShowColorNames = value;
    Invalidate();
}

TColor TUcColorComboBox::SelectedColor() { return FItems.ColorOf(HandleAllocated() ? ItemIndex() : FItemIndex); }

void TUcColorComboBox::SetSelectedColor(TColor color)
{
    FItemIndex = FItems.SelectColor(color);
    if (HandleAllocated()) {
        SyncItemColor(kCustomColorName);
        SetItemIndex(FItemIndex);
        Invalidate();
    }
    Fire(OnChange, this);
}

bool TUcColorComboBox::CommandNotify(WORD code)
{
    // The cancel notification arrives just before the close-up one, which must still see it.
    struct TFlagUpdate {
        bool& Flag;
        bool Value;
        ~TFlagUpdate() { Flag = Value; }
    } update{FCancelled, code == CBN_SELENDCANCEL};
    return TUcCustomComboBox::CommandNotify(code);
}

void TUcColorComboBox::Change()
{
    FItemIndex = ItemIndex();
    TUcCustomComboBox::Change();
}

void TUcColorComboBox::CloseUp()
{
    TUcCustomComboBox::CloseUp();
    if (FCancelled || !ShowCustomColor())
        return;
    const int index = ItemIndex();
    if (index >= 0 && index == FItems.CustomItemIndex())
        ExecuteColorDialog();
}

void TUcColorComboBox::ExecuteColorDialog()
{
    std::unique_ptr<TColorDialog> dialog(new TColorDialog(this));
    dialog->Color = SelectedColor();
    dialog->CustomColors = FCustomColors;
    dialog->Options = FColorDlgOptions;
    if (!dialog->Execute(GetAncestor(Handle(), GA_ROOT)))
        return;
    SetCustomColors(dialog->CustomColors);
    const TColor before = SelectedColor();
    SetCustomColor(dialog->Color);
    // The selected colour has changed although the selection has not: whoever shows it must hear of it.
    if (SelectedColor() != before)
        Fire(OnChange, this);
}

void TUcColorComboBox::DrawCustomMarks(HDC dc, const RECT& item, bool selected, bool disabled)
{
    const COLORREF fill = selected ? GetSysColor(COLOR_HIGHLIGHT) : ColorToRGB(EffectiveColor());
    const COLORREF outline = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                             : disabled ? GetSysColor(COLOR_GRAYTEXT)
                                        : RGB(0, 0, 0);
    for (int fromRight : {16, 12, 8}) {
        const int left = item.right - fromRight;
        OutlinedRect(dc, RECT{left, item.bottom - 7, left + 2, item.bottom - 4}, fill, outline);
    }
}

void TUcColorComboBox::DrawComboItem(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const RECT& rc = item.rcItem;
    const bool field = (item.itemState & ODS_COMBOBOXEDIT) != 0;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0 || !IsWindowEnabled(FHandle);
    const COLORREF background = ColorToRGB(EffectiveColor());
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);

    const int index = item.itemID == static_cast<UINT>(-1) ? -1 : static_cast<int>(item.itemID);
    if (index < 0 || index >= static_cast<int>(FItems.Items().size())) {
        FillColor(dc, rc, background);
        return;
    }
    const TColorItem& colorItem = FItems.Items()[index];
    const bool custom = colorItem.NameIndex == kCustomColorName && ShowCustomColor();

    if (FShowColorNames) {
        FillColor(dc, rc, background);
        RECT named = rc;
        named.left += kNameBackgroundLeft;
        FillColor(dc, named, selected ? highlight : background);
    } else {
        FillColor(dc, rc, selected ? highlight : background);
    }

    RECT swatch = rc;
    const int inset = field ? kFieldInset : kListInset;
    InflateRect(&swatch, -inset, -inset);
    if (FShowColorNames)
        swatch.right = swatch.left + kNamedSwatchWidth;
    else if (custom)
        swatch.right -= kCustomMarkRoom;
    if (swatch.right > swatch.left && swatch.bottom > swatch.top) {
        RECT frame = swatch;
        InflateRect(&frame, 1, 1);
        FillColor(dc, frame, GetSysColor(COLOR_3DLIGHT));
        OutlinedRect(dc, swatch, ColorToRGB(colorItem.Color), GetSysColor(COLOR_BTNSHADOW));
    }

    if (custom)
        DrawCustomMarks(dc, rc, selected, disabled);

    if (FShowColorNames) {
        TSelected font(dc, Font().Handle());
        SIZE size{};
        GetTextExtentPoint32A(dc, "Yy", 2, &size);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, disabled   ? GetSysColor(COLOR_GRAYTEXT)
                         : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                    : ColorToRGB(Font().Color()));
        const int top = rc.top + (rc.bottom - rc.top - size.cy) / 2;
        RECT textRect{rc.left + kNameLeft, top, rc.right, rc.bottom};
        DrawTextA(dc, colorItem.Text.c_str(), static_cast<int>(colorItem.Text.size()), &textRect,
                  DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX);
    }

    if (field && (item.itemState & ODS_FOCUS))
        DrawFocusRect(dc, &rc);
}
