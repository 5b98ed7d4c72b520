// TImageList: a list of same-sized pictures (16x16, 32-bit with alpha) that menus and picture controls draw from.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "toolkit/Classes.h"

class TImageList : public TComponent {
public:
    TImageList(TComponent* AOwner, int width = 16, int height = 16);
    ~TImageList() override;

    // Appends the pictures of a 32-bit bitmap strip resource (alpha kept).
    void AddFromResource(int bitmapId);
    // Appends an icon (the list keeps its own copy).
    void AddIcon(HICON icon);
    int Count() const;
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    HIMAGELIST Handle() const { return FHandle; }
    // A new icon of the picture at index; the caller owns it. Null for an index out of range.
    HICON GetIcon(int index) const;

private:
    HIMAGELIST FHandle;
    int FWidth;
    int FHeight;
};
