// Pictures: the image list of 16x16 pictures and the transparent picture control.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "toolkit/Controls.h"

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

// A picture drawn transparently on its parent's colour.
class TImage : public TControl {
public:
    explicit TImage(TComponent* AOwner);

    // Copies the list's picture at index into this control and repaints at once.
    void Assign(const TImageList& list, int index);
    // Which picture of which list it shows now (-1 when empty); what a reader of the state needs.
    int PictureIndex() const { return FIndex; }
    // Shows an icon of its own (taken over) instead of a list's picture.
    void SetIcon(HICON icon);
    // Draws the picture at the control's size instead of 16x16.
    bool Stretch = false;

protected:
    void Paint(HDC dc) override;

private:
    TIconHandle FPicture;
    int FIndex = -1;
};
