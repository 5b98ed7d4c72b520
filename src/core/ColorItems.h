// The colour picker's model: its display names, its item list, the selection search and the custom colour list.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/Color.h"

constexpr int kStandardColorCount = 16;
constexpr int kSystemColorCount = 25;

// Name indexes: the default item, 16 standard colours, 25 system colours, the custom item.
constexpr int kDefaultColorName = 0;
constexpr int kFirstStandardColorName = 1;
constexpr int kFirstSystemColorName = kFirstStandardColorName + kStandardColorCount;
constexpr int kCustomColorName = kFirstSystemColorName + kSystemColorCount;
constexpr int kColorNameCount = kCustomColorName + 1;

struct TColorNameInfo {
    std::string_view Property;  // the published name ("DkShadow3D" where the text starts with a digit)
    std::string_view Text;      // the display text the picker starts with
};

// All 43 names in item order.
const std::array<TColorNameInfo, kColorNameCount>& ColorNameInfos();

using TColorNameTexts = std::array<std::string, kColorNameCount>;
TColorNameTexts DefaultColorNameTexts();

struct TColorPickerOptions {
    bool ShowDefaultColor = true;
    bool ShowSysColors = true;
    bool ShowCustomColor = true;
};

struct TColorItem {
    int NameIndex;
    std::string Text;
    TColor Color;
};

// The items in display order for these options.
std::vector<TColorItem> BuildColorItems(const TColorPickerOptions& options, TColor defaultColor,
                                        TColor customColor, const TColorNameTexts& names);

// The first item holding the colour, or -1.
int FindColorItem(const std::vector<TColorItem>& items, TColor color);

// The item list with the values it is built from, so that a re-built list keeps colours and renamed texts.
class TColorItemList {
public:
    TColorItemList();

    const std::vector<TColorItem>& Items() const { return FItems; }
    const TColorPickerOptions& Options() const { return FOptions; }
    void SetOptions(const TColorPickerOptions& options);
    void Rebuild();

    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor color);
    TColor CustomColor() const { return FCustomColor; }
    void SetCustomColor(TColor color);

    const std::string& Name(int nameIndex) const;
    // Also renames the item when it is shown; hidden items take the text when they are shown again.
    void SetName(int nameIndex, std::string text);

    // The item showing this name, or -1 when its group is hidden.
    int ItemIndexOfName(int nameIndex) const;
    int CustomItemIndex() const { return ItemIndexOfName(kCustomColorName); }

    // The item to select for a colour: the first one holding it; else the custom item, which takes the
    // colour. Without a custom item an unlisted colour selects nothing (-1).
    int SelectColor(TColor color);

    // The colour of an item; the default colour when the index selects nothing.
    TColor ColorOf(int itemIndex) const;

private:
    TColorPickerOptions FOptions;
    TColor FDefaultColor = 0;
    TColor FCustomColor = 0;
    TColorNameTexts FNames;
    std::vector<TColorItem> FItems;
};

// The colour dialog's custom colour list: every "name=value" line gets its value (read as hexadecimal, at most
// 32 bits) rewritten as six upper-case hexadecimal digits of its low 24 bits. A line without "=" or with a
// value that is not hexadecimal raises EConvertError naming it; nothing is returned then.
std::vector<std::string> NormaliseCustomColors(const std::vector<std::string>& lines);
