// TFrm_Ayarlar: the settings window's stored layout, its show handler, the preview and the confirm command.
#include "forms/f_ayarlar.h"

#include "resource.h"
#include "toolkit/Layout.h"
#include "toolkit/ThemeParts.h"

TFrm_Ayarlar* Frm_Ayarlar = nullptr;

namespace {

constexpr int kTurkishCharset = 162;
constexpr TFontSpec kPanelFont{"Verdana", 13, true, kTurkishCharset};
constexpr TFontSpec kSmallFont{"Verdana", 11, true, kTurkishCharset};

// Tab order counts among siblings: inside Panel1 the preview, the buttons, then the group box's pickers.
const TLayoutRow kLayout[] = {
    {"Panel1", Make<TUcPanel>, nullptr, 0, 0, kAyarlarClientWidth, kAyarlarClientHeight, nullptr, 0, TTabStop::No,
     &kPanelFont, idAyarlarPanel1},
    {"Label1", Make<TLabel>, "Panel1", 29, 8, 72, 16, "Ön izleme", -1, TTabStop::No, nullptr, idAyarlarLabel1},
    {"Preview_Panel", Make<TUcPanel>, "Panel1", 24, 31, 409, 89, nullptr, 0, TTabStop::No, nullptr,
     idAyarlarPreview_Panel},
    {"Label2", Make<TLabel>, "Preview_Panel", 20, 8, 45, 16, "Kime :", -1, TTabStop::No, nullptr, idAyarlarLabel2},
    {"Edt_Bilgisayar", Make<TEdit>, "Preview_Panel", 20, 32, 139, 24, nullptr, 0, TTabStop::Yes, nullptr,
     idAyarlarEdt_Bilgisayar},
    {"Btn_Kime", Make<TUcBitBtn>, "Preview_Panel", 168, 32, 30, 25, "", 1, TTabStop::Yes, nullptr,
     idAyarlarBtn_Kime},
    {"Btn_Tamam", Make<TUcBitBtn>, "Panel1", 267, 270, 86, 25, "&Tamam", 1, TTabStop::Yes, &kSmallFont,
     idAyarlarBtn_Tamam},
    {"Btn_iptal", Make<TUcBitBtn>, "Panel1", 355, 270, 86, 25, "İptal", 2, TTabStop::Yes, &kSmallFont,
     idAyarlarBtn_iptal},
    {"UcGroupBox1", Make<TUcGroupBox>, "Panel1", 15, 136, 425, 55, " Renk ", 3, TTabStop::No, nullptr,
     idAyarlarUcGroupBox1},
    {"Label3", Make<TLabel>, "UcGroupBox1", 16, 25, 42, 13, "Form :", -1, TTabStop::No, &kSmallFont,
     idAyarlarLabel3},
    {"CB_Color", Make<TUcColorComboBox>, "UcGroupBox1", 66, 20, 59, 24, nullptr, 0, TTabStop::Yes, nullptr,
     idAyarlarCB_Color},
    {"Label4", Make<TLabel>, "UcGroupBox1", 136, 25, 29, 13, "Edit:", -1, TTabStop::No, &kSmallFont,
     idAyarlarLabel4},
    {"CC_Edit", Make<TUcColorComboBox>, "UcGroupBox1", 178, 20, 59, 24, nullptr, 1, TTabStop::Yes, nullptr,
     idAyarlarCC_Edit},
    {"Label5", Make<TLabel>, "UcGroupBox1", 266, 25, 59, 13, "YazıTipi :", -1, TTabStop::No, &kSmallFont,
     idAyarlarLabel5},
    {"CC_Font", Make<TUcColorComboBox>, "UcGroupBox1", 338, 20, 59, 24, nullptr, 2, TTabStop::Yes, nullptr,
     idAyarlarCC_Font},
};

}  // namespace

TFrm_Ayarlar::TFrm_Ayarlar(TComponent* AOwner) : TForm(AOwner, "TFrm_Ayarlar", kAyarlarClientWidth, kAyarlarClientHeight)
{
    SetCaption("Ayarlar");
    BuildLayout(this, kLayout);

    Panel1 = FindAs<TUcPanel>(this, "Panel1");
    Label1 = FindAs<TLabel>(this, "Label1");
    Preview_Panel = FindAs<TUcPanel>(this, "Preview_Panel");
    Label2 = FindAs<TLabel>(this, "Label2");
    Edt_Bilgisayar = FindAs<TEdit>(this, "Edt_Bilgisayar");
    Btn_Kime = FindAs<TUcBitBtn>(this, "Btn_Kime");
    Btn_Tamam = FindAs<TUcBitBtn>(this, "Btn_Tamam");
    Btn_iptal = FindAs<TUcBitBtn>(this, "Btn_iptal");
    UcGroupBox1 = FindAs<TUcGroupBox>(this, "UcGroupBox1");
    Label3 = FindAs<TLabel>(this, "Label3");
    CB_Color = FindAs<TUcColorComboBox>(this, "CB_Color");
    Label4 = FindAs<TLabel>(this, "Label4");
    CC_Edit = FindAs<TUcColorComboBox>(this, "CC_Edit");
    Label5 = FindAs<TLabel>(this, "Label5");
    CC_Font = FindAs<TUcColorComboBox>(this, "CC_Font");

    // The preview only shows the main window's recipient row: nothing in it can be used.
    Edt_Bilgisayar->SetReadOnly(true);
    Edt_Bilgisayar->SetEnabled(false);
    Btn_Kime->SetEnabled(false);
    Btn_Kime->SetGlyph(LoadResourceIcon(IDI_GLYPH_PERSON));
    Btn_Tamam->SetGlyph(LoadResourceIcon(IDI_GLYPH_OK));
    Btn_iptal->SetGlyph(LoadResourceIcon(IDI_GLYPH_CANCEL));
    for (TUcColorComboBox* picker : {CB_Color, CC_Edit, CC_Font})
        picker->SetShowColorNames(false);

    using namespace std::placeholders;
    CB_Color->OnChange = std::bind(&TFrm_Ayarlar::CB_ColorChange, this, _1);
    CC_Edit->OnChange = std::bind(&TFrm_Ayarlar::CC_EditChange, this, _1);
    CC_Font->OnChange = std::bind(&TFrm_Ayarlar::CC_FontChange, this, _1);
    Btn_Tamam->OnClick = std::bind(&TFrm_Ayarlar::Btn_TamamClick, this, _1);
    Btn_iptal->OnClick = std::bind(&TFrm_Ayarlar::Btn_iptalClick, this, _1);
    DragByBackground(*Panel1);
    OnShow = std::bind(&TFrm_Ayarlar::FormShow, this, _1);
    NotifyLoaded();
}

void TFrm_Ayarlar::FormShow(TObject*)
{
    if (!FMainWindow)
        return;
    // Each picker assignment raises its change event, so the preview follows at every step.
    const TColorTheme theme = FMainWindow->Theme();
    ApplyColorTheme(theme, {Panel1});
    Preview_Panel->SetColor(Panel1->Color());
    CB_Color->SetSelectedColor(Panel1->Color());
    CC_Edit->SetSelectedColor(theme.Field);
    CC_Font->SetSelectedColor(theme.Text);
}

void TFrm_Ayarlar::CB_ColorChange(TObject*) { Preview_Panel->SetColor(CB_Color->SelectedColor()); }

void TFrm_Ayarlar::CC_EditChange(TObject*) { Edt_Bilgisayar->SetColor(CC_Edit->SelectedColor()); }

void TFrm_Ayarlar::CC_FontChange(TObject*) { Preview_Panel->Font().SetColor(CC_Font->SelectedColor()); }

void TFrm_Ayarlar::Btn_TamamClick(TObject*)
{
    // A failed write leaves here: the keys before it stay written, the main window is not touched and this window
    // stays open.
    Settings->SaveTheme({CB_Color->SelectedColor(), CC_Edit->SelectedColor(), CC_Font->SelectedColor()});
    if (FMainWindow)
        FMainWindow->ApplyTheme({Preview_Panel->Color(), CC_Edit->SelectedColor(), CC_Font->SelectedColor()});
    Close();
}

void TFrm_Ayarlar::Btn_iptalClick(TObject*) { Close(); }

