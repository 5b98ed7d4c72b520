// Shows the three colours on the parts a window names.
#include "toolkit/ThemeParts.h"

void ApplyColorTheme(const TColorTheme& theme, const TThemeParts& parts)
{
    if (parts.Background)
        parts.Background->SetColor(theme.Background);
    if (parts.TextOnBackground)
        parts.TextOnBackground->Font().SetColor(theme.Text);
    for (TControl* field : parts.Fields) {
        field->SetColor(theme.Field);
        if (parts.FieldText)
            field->Font().SetColor(theme.Text);
    }
}
