// Image lists over comctl32.
#include "toolkit/ImageList.h"

TImageList::TImageList(TComponent* AOwner, int width, int height)
    : TComponent(AOwner), FHandle(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4)), FWidth(width),
      FHeight(height)
{
}

TImageList::~TImageList()
{
    if (FHandle)
        ImageList_Destroy(FHandle);
}

void TImageList::AddFromResource(int bitmapId)
{
    HBITMAP strip = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!strip)
        return;
    ImageList_Add(FHandle, strip, nullptr);
    DeleteObject(strip);
}

void TImageList::AddIcon(HICON icon)
{
    if (icon)
        ImageList_AddIcon(FHandle, icon);
}

int TImageList::Count() const { return ImageList_GetImageCount(FHandle); }

HICON TImageList::GetIcon(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return ImageList_GetIcon(FHandle, index, ILD_TRANSPARENT);
}
