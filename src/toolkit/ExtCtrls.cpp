// The transparent picture control.
#include "toolkit/ExtCtrls.h"

TImage::TImage(TComponent* AOwner) : TControl(AOwner) { SetParentColor(true); }

void TImage::Assign(const TImageList& list, int index)
{
    FPicture.Reset(list.GetIcon(index));
    FIndex = FPicture.Get() ? index : -1;
    Repaint();
}

void TImage::SetIcon(HICON icon)
{
    FPicture.Reset(icon);
    FIndex = -1;
    Repaint();
}

void TImage::Paint(HDC dc)
{
    if (FPicture.Get())
        DrawIconEx(dc, 0, 0, FPicture.Get(), Stretch ? Width() : 16, Stretch ? Height() : 16, 0, nullptr, DI_NORMAL);
}
