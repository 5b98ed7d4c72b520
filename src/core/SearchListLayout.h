// Pixel arithmetic of the search list: where the field, separator line and list go, and the attached label.
#pragma once

struct TBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TBounds&) const = default;
};

struct TSearchListLayout {
    TBounds Field;       // the search field, one list row high
    TBounds List;        // the entry list below it
    int SeparatorY = 0;  // the line between them runs at this row across the whole control
};

// Lays out the composite's client area. A client area too small for the field and the list gives them a
// width or height of 0, never a negative one.
TSearchListLayout LayoutSearchList(int clientWidth, int clientHeight, int itemHeight);

// Where the attached label stands relative to its control: OffsetX from the control's left edge to the
// label's, OffsetY from the control's top to the label's bottom edge (the label sits above the control).
struct TLabelOffset {
    int OffsetX = 0;
    int OffsetY = 0;
    bool operator==(const TLabelOffset&) const = default;
};

TLabelOffset MeasureLabelOffset(const TBounds& label, const TBounds& control);

// The label's new bounds after its control moved or resized; the label keeps its own size.
TBounds PlaceAttachedLabel(const TBounds& label, const TBounds& control, const TLabelOffset& offset);
