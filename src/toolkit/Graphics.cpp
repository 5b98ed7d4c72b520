// Fonts, colours and owned GDI handles.
#include "toolkit/Graphics.h"

COLORREF ColorToRGB(TColor color)
{
    if (IsSystemColor(color))
        return GetSysColor(SystemColorIndex(color));
    if (color == clNone)
        return RGB(0, 0, 0);
    return static_cast<COLORREF>(color) & 0xFFFFFF;
}

HICON LoadResourceIcon(int id, int size)
{
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

HBRUSH TBrush::Handle(TColor color)
{
    if (!FBrush.Get() || color != FColor) {
        FBrush.Reset(CreateSolidBrush(ColorToRGB(color)));
        FColor = color;
    }
    return FBrush.Get();
}

TFont::TFont() : FName("MS Sans Serif"), FHeight(11) {}

TFont::TFont(const TFont& other)
    : FName(other.FName), FHeight(other.FHeight), FBold(other.FBold), FUnderline(other.FUnderline),
      FCharset(other.FCharset), FColor(other.FColor)
{
}

TFont& TFont::operator=(const TFont& other)
{
    Assign(other);
    return *this;
}

void TFont::Assign(const TFont& other)
{
    if (this == &other)
        return;
    FName = other.FName;
    FHeight = other.FHeight;
    FBold = other.FBold;
    FUnderline = other.FUnderline;
    FCharset = other.FCharset;
    FColor = other.FColor;
    Changed();
}

void TFont::SetColor(TColor color)
{
    FColor = color;
    if (OnChange)
        OnChange();
}

void TFont::Changed()
{
    FHandle.Reset();
    if (OnChange)
        OnChange();
}

HFONT TFont::Handle()
{
    if (!FHandle.Get()) {
        LOGFONTA lf{};
        lf.lfHeight = -FHeight; // negative: the character height, not the cell height
        lf.lfWeight = FBold ? FW_BOLD : FW_NORMAL;
        lf.lfUnderline = FUnderline ? TRUE : FALSE;
        lf.lfCharSet = static_cast<BYTE>(FCharset);
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
        FHandle.Reset(CreateFontIndirectA(&lf));
    }
    return FHandle.Get();
}
