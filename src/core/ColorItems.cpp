// The colour picker's model: names, items in display order, the selection search, custom colour lines.
#include "core/ColorItems.h"

#include <cstdint>

#include "core/ColorNames.h"
#include "core/Exceptions.h"
#include "core/ProgramTexts.h"
#include "core/HexText.h"

namespace {

constexpr std::array<TColorNameInfo, kColorNameCount> kColorNameInfos{{
    {"Default", "Default"},
    {"Black", "Black"},
    {"Maroon", "Maroon"},
    {"Green", "Green"},
    {"Olive", "Olive"},
    {"Navy", "Navy"},
    {"Purple", "Purple"},
    {"Teal", "Teal"},
    {"Gray", "Gray"},
    {"Silver", "Silver"},
    {"Red", "Red"},
    {"Lime", "Lime"},
    {"Yellow", "Yellow"},
    {"Blue", "Blue"},
    {"Fuchsia", "Fuchsia"},
    {"Aqua", "Aqua"},
    {"White", "White"},
    {"ScrollBar", "ScrollBar"},
    {"Background", "Background"},
    {"ActiveCaption", "ActiveCaption"},
    {"InactiveCaption", "InactiveCaption"},
    {"Menu", "Menu"},
    {"Window", "Window"},
    {"WindowFrame", "WindowFrame"},
    {"MenuText", "MenuText"},
    {"WindowText", "WindowText"},
    {"CaptionText", "CaptionText"},
    {"ActiveBorder", "ActiveBorder"},
    {"InactiveBorder", "InactiveBorder"},
    {"AppWorkSpace", "AppWorkSpace"},
    {"Highlight", "Highlight"},
    {"HighlightText", "HighlightText"},
    {"BtnFace", "BtnFace"},
    {"BtnShadow", "BtnShadow"},
    {"GrayText", "GrayText"},
    {"BtnText", "BtnText"},
    {"InactiveCaptionText", "InactiveCaptionText"},
    {"BtnHighlight", "BtnHighlight"},
    {"DkShadow3D", "3DDkShadow"},
    {"Light3D", "3DLight"},
    {"InfoText", "InfoText"},
    {"InfoBk", "InfoBk"},
    {"Custom", "Custom"},
}};

void CheckNameIndex(int nameIndex)
{
    if (nameIndex < 0 || nameIndex >= kColorNameCount)
        throw Exception(InternalFaultText("renk adları arasında " + std::to_string(nameIndex) + ". sıra yok"));
}


}  // namespace

const std::array<TColorNameInfo, kColorNameCount>& ColorNameInfos() { return kColorNameInfos; }

TColorNameTexts DefaultColorNameTexts()
{
    TColorNameTexts texts;
    for (int i = 0; i < kColorNameCount; ++i)
        texts[i] = std::string(kColorNameInfos[i].Text);
    return texts;
}

std::vector<TColorItem> BuildColorItems(const TColorPickerOptions& options, TColor defaultColor,
                                        TColor customColor, const TColorNameTexts& names)
{
    // The standard and system colours take their values from the identifier table, which lists them in the
    // same order as the names.
    const auto idents = ColorIdents();
    std::vector<TColorItem> items;
    items.reserve(kColorNameCount);
    if (options.ShowDefaultColor)
        items.push_back({kDefaultColorName, names[kDefaultColorName], defaultColor});
    for (int i = 0; i < kStandardColorCount; ++i)
        items.push_back({kFirstStandardColorName + i, names[kFirstStandardColorName + i], idents[i].Value});
    if (options.ShowSysColors)
        for (int i = 0; i < kSystemColorCount; ++i)
            items.push_back({kFirstSystemColorName + i, names[kFirstSystemColorName + i],
                             idents[kStandardColorCount + i].Value});
    if (options.ShowCustomColor)
        items.push_back({kCustomColorName, names[kCustomColorName], customColor});
    return items;
}

int FindColorItem(const std::vector<TColorItem>& items, TColor color)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].Color == color)
            return static_cast<int>(i);
    return -1;
}

TColorItemList::TColorItemList() : FNames(DefaultColorNameTexts()) { Rebuild(); }

void TColorItemList::SetOptions(const TColorPickerOptions& options)
{
    FOptions = options;
    Rebuild();
}

void TColorItemList::Rebuild() { FItems = BuildColorItems(FOptions, FDefaultColor, FCustomColor, FNames); }

void TColorItemList::SetDefaultColor(TColor color)
{
    FDefaultColor = color;
    int index = ItemIndexOfName(kDefaultColorName);
    if (index >= 0)
        FItems[index].Color = color;
}

void TColorItemList::SetCustomColor(TColor color)
{
    FCustomColor = color;
    int index = CustomItemIndex();
    if (index >= 0)
        FItems[index].Color = color;
}

const std::string& TColorItemList::Name(int nameIndex) const
{
    CheckNameIndex(nameIndex);
    return FNames[nameIndex];
}

void TColorItemList::SetName(int nameIndex, std::string text)
{
    CheckNameIndex(nameIndex);
    FNames[nameIndex] = std::move(text);
    int index = ItemIndexOfName(nameIndex);
    if (index >= 0)
        FItems[index].Text = FNames[nameIndex];
}

int TColorItemList::ItemIndexOfName(int nameIndex) const
{
    CheckNameIndex(nameIndex);
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].NameIndex == nameIndex)
            return static_cast<int>(i);
    return -1;
}

int TColorItemList::SelectColor(TColor color)
{
    int index = FindColorItem(FItems, color);
    if (index >= 0)
        return index;
    // Selecting whatever item happens to be last would report a colour that was never chosen.
    SetCustomColor(color);
    return CustomItemIndex();
}

TColor TColorItemList::ColorOf(int itemIndex) const
{
    if (itemIndex < 0 || itemIndex >= static_cast<int>(FItems.size()))
        return FDefaultColor;
    return FItems[itemIndex].Color;
}

std::vector<std::string> NormaliseCustomColors(const std::vector<std::string>& lines)
{
    std::vector<std::string> result;
    result.reserve(lines.size());
    for (const std::string& line : lines) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            throw EConvertError("'" + line + "' is not a valid name=value line");
        const std::string_view value = std::string_view(line).substr(equals + 1);
        uint32_t color = 0;
        if (!ParseHex32(value, color))
            throw EConvertError("'" + std::string(value) + "' is not a valid integer value");
        result.push_back(line.substr(0, equals + 1) + HexDigits(color, 6));
    }
    return result;
}
