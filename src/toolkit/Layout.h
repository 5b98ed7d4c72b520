// A window's stored layout as data: one row per control, built by the form's constructor.
#pragma once
#include <cstddef>

#include "toolkit/Forms.h"

struct TFontSpec {
    const char* Name;
    int Height; // character height in pixels
    bool Bold;
    int Charset;
};

enum class TTabStop { Default, No, Yes };

struct TLayoutRow {
    const char* Name;
    TControl* (*Create)(TComponent* owner);
    const char* Parent; // null: the form itself
    int Left, Top, Width, Height;
    const char* Caption; // null: none
    int TabOrder;        // -1: no place in the tab order
    TTabStop TabStop;
    const TFontSpec* Font; // null: the parent's font
    int Id;                // control id (0: none)
};

template <typename T>
TControl* Make(TComponent* owner)
{
    return new T(owner);
}

// Creates every row's control, owned by the form, in row order; rows name their parents by Name.
void BuildLayout(TForm* form, const TLayoutRow* rows, size_t count);

template <size_t N>
void BuildLayout(TForm* form, const TLayoutRow (&rows)[N])
{
    BuildLayout(form, rows, N);
}
