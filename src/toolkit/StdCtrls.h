// The standard controls: panel, label, edit field, memo, push button and glyph button.
#pragma once
#include <string>

#include "toolkit/Controls.h"

// A flat painted container: the background that forms drag by.
class TPanel : public TControl {
public:
    explicit TPanel(TComponent* AOwner);
};

// Static text drawn on its parent's colour.
class TLabel : public TControl {
public:
    explicit TLabel(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& params) override;
    HBRUSH CtlColor(HDC dc) override;
};

class TEdit : public TControl {
public:
    explicit TEdit(TComponent* AOwner);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    void SelectAll();
    void SetSelection(int start, int length);
    int SelStart() const;
    int SelLength() const;
    void Clear() { SetText(""); }

protected:
    void CreateParams(TCreateParams& params) override;
    bool CommandNotify(WORD code) override;

private:
    bool FReadOnly = false;
};

// A multi-line edit: Enter inserts a line break, lines wrap at its width, no scroll bars, no length limit.
class TMemo : public TEdit {
public:
    explicit TMemo(TComponent* AOwner);
    bool WantsDialogKey(WPARAM key) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeHandle() override;
};

// What push buttons and glyph buttons share: the accelerator, default/cancel roles and a modal result.
class TButtonBase : public TControl {
public:
    explicit TButtonBase(TComponent* AOwner);

    bool Default = false;
    bool Cancel = false;
    int ModalResult = 0;

    void Click() override;
    bool IsAcceleratorTarget() const override { return true; }
    bool WantsDialogKey(WPARAM) override { return false; }

protected:
    bool CommandNotify(WORD code) override;
};

class TButton : public TButtonBase {
public:
    explicit TButton(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& params) override;
};

// A push button with a 16x16 picture beside its caption, drawn by us.
class TBitBtn : public TButtonBase {
public:
    explicit TBitBtn(TComponent* AOwner);

    // Takes ownership of the icon.
    void SetGlyph(HICON glyph);
    // Pixels between the left edge and the glyph; -1 centres glyph and caption together.
    int Margin = -1;
    int Spacing = 4;

protected:
    void CreateParams(TCreateParams& params) override;
    bool DrawItem(DRAWITEMSTRUCT& item) override;

private:
    TIconHandle FGlyph;
};
