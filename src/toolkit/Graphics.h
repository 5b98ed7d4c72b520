// Fonts, colours and the few GDI handles the controls need, each owned by exactly one object.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "core/Color.h"

// Resolves a TColor (an RGB value or a system-colour code) to what GDI paints with.
COLORREF ColorToRGB(TColor color);

// A GDI object that deletes itself; move-only.
template <typename H>
class TGdiHandle {
public:
    TGdiHandle() = default;
    explicit TGdiHandle(H handle) : FHandle(handle) {}
    TGdiHandle(TGdiHandle&& other) noexcept : FHandle(other.Release()) {}
    TGdiHandle& operator=(TGdiHandle&& other) noexcept
    {
        Reset(other.Release());
        return *this;
    }
    TGdiHandle(const TGdiHandle&) = delete;
    TGdiHandle& operator=(const TGdiHandle&) = delete;
    ~TGdiHandle() { Reset(); }

    H Get() const { return FHandle; }
    H Release()
    {
        H h = FHandle;
        FHandle = nullptr;
        return h;
    }
    void Reset(H handle = nullptr)
    {
        if (FHandle)
            DeleteObject(FHandle);
        FHandle = handle;
    }

private:
    H FHandle = nullptr;
};

// An icon loaded or copied by us (shared system icons are never wrapped in this).
class TIconHandle {
public:
    TIconHandle() = default;
    explicit TIconHandle(HICON icon) : FIcon(icon) {}
    TIconHandle(TIconHandle&& other) noexcept : FIcon(other.FIcon) { other.FIcon = nullptr; }
    TIconHandle& operator=(TIconHandle&& other) noexcept
    {
        if (this != &other) {
            Reset();
            FIcon = other.FIcon;
            other.FIcon = nullptr;
        }
        return *this;
    }
    ~TIconHandle() { Reset(); }
    HICON Get() const { return FIcon; }
    void Reset(HICON icon = nullptr)
    {
        if (FIcon)
            DestroyIcon(FIcon);
        FIcon = icon;
    }

private:
    HICON FIcon = nullptr;
};

// Loads a 16x16 (or other size) icon from this program's resources.
HICON LoadResourceIcon(int id, int size = 16);

// A solid brush that follows a TColor.
class TBrush {
public:
    HBRUSH Handle(TColor color);

private:
    TGdiHandle<HBRUSH> FBrush;
    TColor FColor = clNone;
};

// A logical font: name, character height in pixels, bold, underline, character set and colour.
class TFont {
public:
    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);

    const std::string& Name() const { return FName; }
    int Height() const { return FHeight; }
    bool Bold() const { return FBold; }
    bool Underline() const { return FUnderline; }
    int Charset() const { return FCharset; }
    TColor Color() const { return FColor; }

    void SetName(const std::string& name);
    void SetHeight(int height);
    void SetBold(bool bold);
    void SetUnderline(bool underline);
    void SetCharset(int charset);
    void SetColor(TColor color);

    // Copies every attribute and raises OnChange once.
    void Assign(const TFont& other);

    HFONT Handle();

    std::function<void()> OnChange;

private:
    void Changed();

    std::string FName;
    int FHeight;
    bool FBold = false;
    bool FUnderline = false;
    int FCharset = DEFAULT_CHARSET;
    TColor FColor = clWindowText;
    TGdiHandle<HFONT> FHandle;
};
