// Resource identifiers shared by varnel.rc and the code that loads the pictures.
#pragma once

#define IDI_VARNEL            1     // program icon: an envelope

// Glyphs of the buttons (16x16, 32-bit icons with alpha).
#define IDI_GLYPH_PERSON      101   // one person (Btn_Tek)
#define IDI_GLYPH_PEOPLE      102   // three people (Btn_Toplu)
#define IDI_GLYPH_OPTIONS     103   // options list (Btn_Ayarlar)
#define IDI_GLYPH_BACK        104   // green arrow turning back (Btn_History)
#define IDI_GLYPH_ENVELOPE    105   // white envelope (Btn_Gonder)
#define IDI_GLYPH_OK          106   // green tick, for OK buttons of secondary windows
#define IDI_GLYPH_CANCEL      107   // red cross, for cancel/close buttons of secondary windows
#define IDI_GLYPH_CLEAR       108   // eraser/broom, for clearing lists
#define IDI_GLYPH_SELECTALL   109   // checked boxes, for select-all

// The four pictures of ImageList1, in index order (white envelope, red ball, green ball, options list).
#define IDB_IMAGELIST1        201   // 64x16 strip, 32-bit with alpha

// Popup menu pictures.
#define IDI_MENU_CLOSE        301   // red circle with a white cross
#define IDI_MENU_INFO         302   // white letter i on a blue disc

// The hand cursor of the link label is the named resource "UCLABEL_HANDCURSOR".
