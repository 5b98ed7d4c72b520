// Builds a form's controls from its layout table.
#include "toolkit/Layout.h"

void BuildLayout(TForm* form, const TLayoutRow* rows, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const TLayoutRow& row = rows[i];
        TControl* control = row.Create(form);
        control->SetName(row.Name);
        control->SetControlId(row.Id);
        control->SetBounds(row.Left, row.Top, row.Width, row.Height);
        if (row.Caption)
            control->SetCaption(row.Caption);
        control->SetTabOrder(row.TabOrder);
        if (row.TabStop != TTabStop::Default)
            control->SetTabStop(row.TabStop == TTabStop::Yes);
        TControl* parent = row.Parent ? FindAs<TControl>(form, row.Parent) : form;
        if (row.Font) {
            // An own font is set before the window exists, so the control starts with it.
            control->SetParent(parent);
            TFont font;
            font.SetName(row.Font->Name);
            font.SetHeight(row.Font->Height);
            font.SetBold(row.Font->Bold);
            font.SetCharset(row.Font->Charset);
            font.SetColor(clWindowText);
            control->Font().Assign(font);
        } else {
            control->SetParent(parent);
        }
    }
}
