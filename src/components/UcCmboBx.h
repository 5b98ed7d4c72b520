// The owner-drawn combo box base and the colour picker: a drop-down list of colour swatches with a default
// item, the standard and system colours, and a custom item that opens the colour dialog.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/ColorItems.h"
#include "toolkit/ColorDialog.h"
#include "toolkit/ComboBox.h"

// A drop-down list without an edit field whose items, of variable height, are drawn by the derived class.
class TUcCustomComboBox : public TCustomComboBox {
public:
    explicit TUcCustomComboBox(TComponent* AOwner);

protected:
    void InitializeHandle() override;
    void FontChanged() override;
    bool MeasureItem(MEASUREITEMSTRUCT& item) override;
    bool DrawItem(DRAWITEMSTRUCT& item) override;

    // index -1: the closed field.
    virtual int MeasureItemHeight(int index);
    virtual void DrawComboItem(const DRAWITEMSTRUCT& item) = 0;

    // The character height of the control's font (the platform's text metrics).
    int FontCharHeight();

private:
    void ApplyItemHeights();
};

// The published names of the picker's items, in item order (the 3D colours as DkShadow3D and Light3D).
enum class TUcColorName {
    Default, Black, Maroon, Green, Olive, Navy, Purple, Teal, Gray, Silver, Red, Lime, Yellow, Blue, Fuchsia, Aqua,
    White, ScrollBar, Background, ActiveCaption, InactiveCaption, Menu, Window, WindowFrame, MenuText, WindowText,
    CaptionText, ActiveBorder, InactiveBorder, AppWorkSpace, Highlight, HighlightText, BtnFace, BtnShadow, GrayText,
    BtnText, InactiveCaptionText, BtnHighlight, DkShadow3D, Light3D, InfoText, InfoBk, Custom,
};

class TUcColorComboBox;

// The display texts of the picker's items, read and set by published name.
class TUcColorNames {
public:
    explicit TUcColorNames(TUcColorComboBox& picker) : FPicker(picker) {}

    const std::string& Get(TUcColorName name) const;
    void Set(TUcColorName name, std::string text);
    // By the published name's text ("Default", "Black", ..., "DkShadow3D", "Light3D", "Custom").
    const std::string& Get(std::string_view publishedName) const;
    void Set(std::string_view publishedName, std::string text);

private:
    static int IndexOf(std::string_view publishedName);

    TUcColorComboBox& FPicker;
};

class TUcColorComboBox : public TUcCustomComboBox {
public:
    explicit TUcColorComboBox(TComponent* AOwner);

    TColor DefaultColor() const { return FItems.DefaultColor(); }
    void SetDefaultColor(TColor color);
    TColor CustomColor() const { return FItems.CustomColor(); }
    void SetCustomColor(TColor color);

    // The colour dialog's custom colours, lines "name=<six upper-case hexadecimal digits>".
    const std::vector<std::string>& CustomColors() const { return FCustomColors; }
    // Raises EConvertError for a line that is not name=<hexadecimal>; the list stays as it was then.
    void SetCustomColors(const std::vector<std::string>& lines);

    const TColorDialogOptions& ColorDlgOptions() const { return FColorDlgOptions; }
    void SetColorDlgOptions(const TColorDialogOptions& options) { FColorDlgOptions = options; }

    TUcColorNames& ColorNames() { return FColorNames; }

    bool ShowSysColors() const { return FItems.Options().ShowSysColors; }
    void SetShowSysColors(bool value);
    bool ShowDefaultColor() const { return FItems.Options().ShowDefaultColor; }
    void SetShowDefaultColor(bool value);
    bool ShowCustomColor() const { return FItems.Options().ShowCustomColor; }
    void SetShowCustomColor(bool value);
    bool ShowColorNames() const { return FShowColorNames; }
    void SetShowColorNames(bool value);

    // The selected item's colour; DefaultColor when nothing is selected.
    TColor SelectedColor();
    // Selects the first item of that colour, else gives the custom item the colour and selects it;
    // raises OnChange in every case.
    void SetSelectedColor(TColor color);

    // The items as they are built for the current properties.
    const TColorItemList& Items() const { return FItems; }

protected:
    void CreateItems() override;
    void Loaded() override;
    bool CommandNotify(WORD code) override;
    void Change() override;
    void CloseUp() override;
    void DrawComboItem(const DRAWITEMSTRUCT& item) override;

private:
    friend class TUcColorNames;
    const std::string& ColorName(int nameIndex) const { return FItems.Name(nameIndex); }
    void SetColorName(int nameIndex, std::string text);
    void SetOptions(const TColorPickerOptions& options);
    // Changes one of the item kinds shown; the same value changes nothing.
    void SetOption(bool TColorPickerOptions::*option, bool value);
    // Writes a default or custom colour held by the model into its item of the window.
    void SyncItemColor(int nameIndex);
    void ExecuteColorDialog();
    void DrawCustomMarks(HDC dc, const RECT& item, bool selected, bool disabled);

    TColorItemList FItems;
    TUcColorNames FColorNames{*this};
    std::vector<std::string> FCustomColors;
    TColorDialogOptions FColorDlgOptions{TColorDialogOption::cdFullOpen};
    bool FShowColorNames = true;
    // The selection while there is no window.
    int FItemIndex = -1;
    // Set by the selection-cancel notification, cleared by every other one.
    bool FCancelled = false;
};
