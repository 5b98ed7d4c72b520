// Fonts, colours and the few GDI handles the controls need, each owned by exactly one object.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "core/Color.h"

// Resolves a TColor (an RGB value or a system-colour code) to what GDI paints with.
COLORREF ColorToRGB(TColor color);

// A handle that frees itself with `Free`; move-only.
template <typename H, auto Free>
class TOwnedHandle {
public:
    TOwnedHandle() = default;
    explicit TOwnedHandle(H handle) : FHandle(handle) {}
    TOwnedHandle(TOwnedHandle&& other) noexcept : FHandle(other.Release()) {}
    TOwnedHandle& operator=(TOwnedHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    TOwnedHandle(const TOwnedHandle&) = delete;
    TOwnedHandle& operator=(const TOwnedHandle&) = delete;
    ~TOwnedHandle() { Reset(); }

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
            Free(FHandle);
        FHandle = handle;
    }

private:
    H FHandle = nullptr;
};

// A GDI object that deletes itself.
template <typename H>
using TGdiHandle = TOwnedHandle<H, DeleteObject>;
// An icon loaded or copied by us (shared system icons are never wrapped in this).
using TIconHandle = TOwnedHandle<HICON, DestroyIcon>;

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

    void SetName(const std::string& name) { Change(FName, name); }
    void SetHeight(int height) { Change(FHeight, height); }
    void SetBold(bool bold) { Change(FBold, bold); }
    void SetUnderline(bool underline) { Change(FUnderline, underline); }
    void SetCharset(int charset) { Change(FCharset, charset); }
    void SetColor(TColor color);

    // Copies every attribute and raises OnChange once.
    void Assign(const TFont& other);

    HFONT Handle();

    std::function<void()> OnChange;

private:
    void Changed();
    template <typename T>
    void Change(T& field, const T& value)
    {
        field = value;
        Changed();
    }

    std::string FName;
    int FHeight;
    bool FBold = false;
    bool FUnderline = false;
    int FCharset = DEFAULT_CHARSET;
    TColor FColor = clWindowText;
    TGdiHandle<HFONT> FHandle;
};
