// Popup menus whose items carry pictures (from an image list or an icon of their own).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"

class TImageList;
class TControl;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);

    std::string Caption; // "-" makes a separator
    int ImageIndex = -1; // picture from the menu's image list
    bool Enabled = true;
    bool Default = false;
    // A picture of the item's own; takes ownership of the icon.
    void SetIcon(HICON icon) { FIcon.Reset(icon); }
    HICON Icon() const { return FIcon.Get(); }

    TNotifyEvent OnClick;
    void Click() { Fire(OnClick, this); }

private:
    TIconHandle FIcon;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);

    TImageList* Images = nullptr;
    std::vector<TMenuItem*> Items;
    // A control's right-click opens the menu only while this is set.
    bool AutoPopup = true;
    TMenuItem* Add(TMenuItem* item)
    {
        Items.push_back(item);
        return item;
    }

    // Shows the menu at a screen point for the window `owner` (which receives the menu's messages) and runs the
    // chosen item's handler after the menu has closed.
    void Popup(int x, int y, HWND owner);
    TControl* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TControl* control) { FPopupComponent = control; }

    TNotifyEvent OnPopup;

private:
    TControl* FPopupComponent = nullptr;
};

// A 32-bit premultiplied bitmap of an icon, the form menus draw item pictures from. Caller owns it.
HBITMAP IconToMenuBitmap(HICON icon, int size = 16);
