// The progress disc: drawn into a colour bitmap and a mask, the corners left transparent.
#include "toolkit/ProgressIcon.h"

#include <cmath>

#include "toolkit/Graphics.h"

namespace {

constexpr int kSize = 16;
constexpr COLORREF kTrack = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kDone = RGB(0x00, 0xA0, 0x00);
constexpr COLORREF kRim = RGB(0x40, 0x40, 0x40);

// The point on the rim at `fraction` of a turn, clockwise from twelve o'clock.
POINT RimPoint(double fraction)
{
    const double angle = fraction * 2 * 3.14159265358979323846;
    return {static_cast<LONG>(std::lround(kSize / 2.0 + 32 * std::sin(angle))),
        static_cast<LONG>(std::lround(kSize / 2.0 - 32 * std::cos(angle)))};
}

class TMemoryDC {
public:
    explicit TMemoryDC(HBITMAP bitmap) : FDC(CreateCompatibleDC(nullptr)), FOld(FDC ? SelectObject(FDC, bitmap) : nullptr) {}
    ~TMemoryDC()
    {
        if (FDC) {
            SelectObject(FDC, FOld);
            DeleteDC(FDC);
        }
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC Get() const { return FDC; }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

void Disc(HDC dc, COLORREF fill, COLORREF rim)
{
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(fill));
    TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, rim));
    const HGDIOBJ oldBrush = SelectObject(dc, brush.Get());
    const HGDIOBJ oldPen = SelectObject(dc, pen.Get());
    Ellipse(dc, 0, 0, kSize, kSize);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

void DoneSlice(HDC dc, int perMille)
{
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(kDone));
    TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, kRim));
    const HGDIOBJ oldBrush = SelectObject(dc, brush.Get());
    const HGDIOBJ oldPen = SelectObject(dc, pen.Get());
    const POINT end = RimPoint(perMille / 1000.0);
    const POINT top = RimPoint(0);
    if (perMille >= 1000) {
        Ellipse(dc, 0, 0, kSize, kSize);
    } else if (end.x != top.x || end.y != top.y) { // two equal radials would draw the whole disc
        // Pie runs counter-clockwise from its first radial to its second: start at the end of the slice.
        SetArcDirection(dc, AD_COUNTERCLOCKWISE);
        Pie(dc, 0, 0, kSize, kSize, end.x, end.y, top.x, top.y);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

} // namespace

HICON MakeProgressIcon(int perMille)
{
    perMille = perMille < 0 ? 0 : perMille > 1000 ? 1000 : perMille;
    const HDC screen = GetDC(nullptr);
    TGdiHandle<HBITMAP> color(CreateCompatibleBitmap(screen, kSize, kSize));
    ReleaseDC(nullptr, screen);
    TGdiHandle<HBITMAP> mask(CreateBitmap(kSize, kSize, 1, 1, nullptr));
    if (!color.Get() || !mask.Get())
        return nullptr;
    {
        // The mask: white (transparent) around a black disc; the colour bitmap black outside the disc.
        TMemoryDC maskDC(mask.Get());
        TMemoryDC colorDC(color.Get());
        if (!maskDC.Get() || !colorDC.Get())
            return nullptr;
        PatBlt(maskDC.Get(), 0, 0, kSize, kSize, WHITENESS);
        Disc(maskDC.Get(), RGB(0, 0, 0), RGB(0, 0, 0));
        PatBlt(colorDC.Get(), 0, 0, kSize, kSize, BLACKNESS);
        Disc(colorDC.Get(), kTrack, kRim);
        if (perMille > 0)
            DoneSlice(colorDC.Get(), perMille);
    }
    ICONINFO info{TRUE, 0, 0, mask.Get(), color.Get()};
    return CreateIconIndirect(&info);
}
