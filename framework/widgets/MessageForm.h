// The framework's standard message dialog: a TForm of class TMessageForm with an optional
// icon, the message in a label and a TButton "OK" ("Yes" and "No" for a confirmation), shown
// modally with the application title as its caption; Escape answers "OK" ("No").
#pragma once

#include "framework/widgets/Forms.h"

#include <QString>

#include <vector>

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
    // The first button ("OK", or "Yes"), which is the default one.
    TButton* OkButton() const { return ok_; }
    const std::vector<TButton*>& Buttons() const { return buttons_; }
    QWidget* Image() const { return image_; }

private:
    TLabel* message_ = nullptr;
    TButton* ok_ = nullptr;
    std::vector<TButton*> buttons_;
    QWidget* image_ = nullptr;
};

// The dialogs' pictures, our own drawings: a red disc with a white cross for errors, a yellow
// triangle with an exclamation mark for warnings.
QPixmap ErrorIconPixmap(int size);
QPixmap WarningIconPixmap(int size);

// Shows text in a modal TMessageForm and returns the modal result of the button pressed
// (mrCancel when closed otherwise). mtError and mtWarning show their icon; mtInformation,
// mtConfirmation and mtCustom show none.
int MessageDlg(const QString& text, TMsgDlgType type);

// The completion message of the framework (no icon, one OK button).
void ShowMessage(const QString& text);

} // namespace framework
