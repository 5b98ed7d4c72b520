// TFrm_about: the about box's stored layout and its handlers.
#include "forms/f_about.h"

#include "core/Version.h"
#include "resource.h"
#include "toolkit/Layout.h"
#include "toolkit/ThemeParts.h"

TFrm_about* Frm_about = nullptr;

namespace {

constexpr int kTurkishCharset = 162;
constexpr TColor kDesignColor = 0xFF8080;

const TLayoutRow kLayout[] = {
    {"Panel1", Make<TUcPanel>, nullptr, 0, 0, 272, 170, nullptr, -1, TTabStop::No, nullptr, idAboutPanel1},
    {"ProgramIcon", Make<TImage>, "Panel1", 8, 20, 65, 57, nullptr, -1, TTabStop::No, nullptr, idAboutProgramIcon},
    {"ProductName", Make<TLabel>, "Panel1", 90, 16, 72, 16, "Varnel", -1, TTabStop::No, nullptr, idAboutProductName},
    {"Version", Make<TLabel>, "Panel1", 90, 40, 83, 16, "Sürüm " VARNEL_VERSION_TEXT, -1, TTabStop::No, nullptr,
        idAboutVersion},
    {"UcURLLabel1", Make<TUcURLLabel>, "Panel1", 90, 64, 159, 16, kProductWebCaption, -1, TTabStop::No, nullptr,
        idAboutUcURLLabel1},
    {"UcBitBtn1", Make<TUcBitBtn>, "Panel1", 166, 120, 90, 25, "&Tamam", 0, TTabStop::Yes, nullptr, idAboutUcBitBtn1},
};

TFont AboutFont(bool underline, TColor color)
{
    TFont font;
    font.SetName("Verdana");
    font.SetHeight(13);
    font.SetBold(true);
    font.SetUnderline(underline);
    font.SetCharset(kTurkishCharset);
    font.SetColor(color);
    return font;
}

} // namespace

TFrm_about::TFrm_about(TComponent* AOwner) : TForm(AOwner, "TFrm_about", 272, 170)
{
    SetCaption("Hakkında...");
    Font().Assign(AboutFont(false, clWindowText));
    BuildLayout(this, kLayout);

    Panel1 = FindAs<TUcPanel>(this, "Panel1");
    ProgramIcon = FindAs<TImage>(this, "ProgramIcon");
    ProductName = FindAs<TLabel>(this, "ProductName");
    Version = FindAs<TLabel>(this, "Version");
    UcURLLabel1 = FindAs<TUcURLLabel>(this, "UcURLLabel1");
    UcBitBtn1 = FindAs<TUcBitBtn>(this, "UcBitBtn1");

    Panel1->SetColor(kDesignColor);
    ProgramIcon->Stretch = true;
    ProgramIcon->SetIcon(LoadResourceIcon(IDI_VARNEL));
    UcURLLabel1->URL = kProductWebAddress;
    UcURLLabel1->SetFrameSides(0);
    UcURLLabel1->Font().Assign(AboutFont(true, clHighlight));
    UcBitBtn1->Default = true;
    UcBitBtn1->SetGlyph(LoadResourceIcon(IDI_GLYPH_OK));
    SetActiveControl(UcBitBtn1);

    using namespace std::placeholders;
    OnShow = std::bind(&TFrm_about::FormShow, this, _1);
    UcBitBtn1->OnClick = std::bind(&TFrm_about::UcBitBtn1Click, this, _1);
    DragByBackground(*Panel1);
    NotifyLoaded();
}

void TFrm_about::FormShow(TObject*)
{
    if (FMainWindow)
        ApplyColorTheme(FMainWindow->Theme(), {Panel1});
}

void TFrm_about::UcBitBtn1Click(TObject*) { Close(); }

