// TImage: the transparent picture control, showing a picture of an image list or an icon of its own.
#pragma once
#include <windows.h>

#include "toolkit/Controls.h"
#include "toolkit/ImageList.h"

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
