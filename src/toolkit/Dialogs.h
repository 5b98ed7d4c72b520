// The program's own message dialog: Turkish captions by kind and Turkish button captions, centred on the screen.
#pragma once
#include <string>

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };

// Shows the dialog modally over the active window; returns the modal result of the button pressed
// (mrOk, mrCancel, mrYes, mrNo; Escape or closing gives mrCancel, or mrOk/mrNo when that is the only way out).
int MessageDlg(const std::string& message, TMsgDlgType type, unsigned buttons, int helpContext = 0);

// The dialog's caption for its kind: "Uyarı", "Hata", "Bilgi", "Onay".
const char* MessageDlgCaption(TMsgDlgType type);
