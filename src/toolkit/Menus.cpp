// Popup menus with item pictures.
#include "toolkit/Menus.h"

#include <cstdint>
#include <vector>

#include "toolkit/ImageList.h"

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}

HBITMAP IconToMenuBitmap(HICON icon, int size)
{
    if (!icon)
        return nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!bitmap)
        return nullptr;
    // The colour and alpha come from the icon's own 32-bit image; menus want premultiplied alpha.
    ICONINFO info{};
    if (GetIconInfo(icon, &info)) {
        HDC dc = CreateCompatibleDC(nullptr);
        std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
        BITMAPINFO src = bi;
        if (info.hbmColor && GetDIBits(dc, info.hbmColor, 0, size, pixels.data(), &src, DIB_RGB_COLORS)) {
            auto* out = static_cast<uint32_t*>(bits);
            for (size_t i = 0; i < pixels.size(); ++i) {
                const uint32_t p = pixels[i];
                const uint32_t a = p >> 24;
                const uint32_t r = ((p >> 16) & 0xFF) * a / 255, g = ((p >> 8) & 0xFF) * a / 255, b = (p & 0xFF) * a / 255;
                out[i] = (a << 24) | (r << 16) | (g << 8) | b;
            }
        }
        DeleteDC(dc);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
    }
    return bitmap;
}

void TPopupMenu::Popup(int x, int y, HWND owner)
{
    Fire(OnPopup, this);
    HMENU menu = CreatePopupMenu();
    std::vector<TGdiHandle<HBITMAP>> pictures;
    for (size_t i = 0; i < Items.size(); ++i) {
        TMenuItem* item = Items[i];
        MENUITEMINFOA mii{sizeof(mii)};
        if (item->Caption == "-") {
            mii.fMask = MIIM_FTYPE;
            mii.fType = MFT_SEPARATOR;
        } else {
            mii.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
            mii.wID = static_cast<UINT>(i + 1);
            mii.dwTypeData = const_cast<char*>(item->Caption.c_str());
            mii.fState = (item->Enabled ? MFS_ENABLED : MFS_DISABLED) | (item->Default ? MFS_DEFAULT : 0);
            HICON picture = item->Icon();
            TIconHandle fromList;
            if (!picture && Images && item->ImageIndex >= 0) {
                fromList.Reset(Images->GetIcon(item->ImageIndex));
                picture = fromList.Get();
            }
            if (picture) {
                pictures.emplace_back(IconToMenuBitmap(picture));
                mii.fMask |= MIIM_BITMAP;
                mii.hbmpItem = pictures.back().Get();
            }
        }
        InsertMenuItemA(menu, static_cast<UINT>(i), TRUE, &mii);
    }
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, owner, nullptr));
    // The documented remedy for a menu that would otherwise not close on the next click outside it.
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (chosen >= 1 && chosen <= Items.size())
        Items[chosen - 1]->Click();
}
