// The framework's standard message dialog: a TForm of class TMessageForm with an optional
// icon, the message in a label and a TButton "OK", shown modally with the application title
// as its caption.
#pragma once

#include "framework/Forms.h"

#include <QString>

namespace framework {

class TButton;
class TLabel;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

class TMessageForm : public TForm {
    Q_OBJECT
public:
    // Lays out the icon (none for mtCustom and mtInformation without an icon, see MessageDlg),
    // the text and the button the way the framework sizes its dialogs: margins, spacing and
    // the button size in dialog units of the dialog's font.
    TMessageForm(const QString& text, TMsgDlgType type, bool showIcon);

    TLabel* MessageLabel() const { return message_; }
    TButton* OkButton() const { return ok_; }
    QWidget* Image() const { return image_; }

private:
    TLabel* message_ = nullptr;
    TButton* ok_ = nullptr;
    QWidget* image_ = nullptr;
};

// The error dialog's picture: a red disc with a white cross, our own drawing.
QPixmap ErrorIconPixmap(int size);

// Shows text in a modal TMessageForm with one OK button; returns mrOk (mrCancel when closed
// otherwise). mtError shows the error icon; mtInformation and mtCustom show none.
int MessageDlg(const QString& text, TMsgDlgType type);

// The completion message of the framework (no icon, one OK button).
void ShowMessage(const QString& text);

} // namespace framework
