// The application object: start-up registrations, the loop, the standard error dialog.
#include "framework/widgets/Application.h"

#include "framework/widgets/Classes.h"
#include "framework/core/Dialogs.h"
#include "framework/widgets/Fonts.h"
#include "framework/widgets/Forms.h"
#include "framework/widgets/MessageForm.h"
#include "framework/widgets/QtText.h"
#include "framework/core/SkinCommand.h"

#include <cstdio>

namespace framework {
namespace {

TApplication* g_application = nullptr;

TMsgDlgType DialogTypeOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error: return mtError;
    case MessageKind::Warning: return mtWarning;
    case MessageKind::Confirmation: return mtConfirmation;
    case MessageKind::Information: break;
    }
    return mtCustom;
}

std::vector<QObject*> ListTopLevelWindows() {
    std::vector<QObject*> windows;
    for (TForm* form : TForm::Forms())
        if (form->isWindow())
            windows.push_back(form);
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<TForm*>(widget) == nullptr && !widget->inherits("QMenu"))
            windows.push_back(widget);
    return windows;
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    g_application = this;
    setQuitOnLastWindowClosed(false);
    RegisterSystemFonts();
    HintFontsFully();
    SetMessagePresenter([](MessageKind kind, const std::string& text) {
        const int result = MessageDlg(ToQString(text), DialogTypeOf(kind));
        if (kind != MessageKind::Confirmation)
            return DialogAnswer::Ok;
        return result == mrYes ? DialogAnswer::Yes : DialogAnswer::No;
    });
    SetTopLevelWindowLister(ListTopLevelWindows);
}

TApplication::~TApplication() {
    TThread::WaitForAll();
    forms_.clear();
    SetMessagePresenter(nullptr);
    SetTopLevelWindowLister(nullptr);
    g_application = nullptr;
}

void TApplication::AdoptForm(std::unique_ptr<TForm> form) {
    TForm* adopted = form.get();
    forms_.push_back(std::move(form));
    if (mainForm_ == nullptr) {
        mainForm_ = adopted;
        connect(adopted, &TForm::Closed, this, [this] {
            terminated_ = true;
            quit();
        });
    }
    adopted->DoCreate();
}

int TApplication::Run() {
    if (mainForm_ == nullptr)
        return 0;
    mainForm_->show();
    const int code = terminated_ ? 0 : exec();
    TThread::WaitForAll();
    return code;
}

void TApplication::ProcessMessages() { processEvents(); }

QString TApplication::ExceptionText(const std::string& message) {
    std::string text = message;
    // The framework's rule: a message whose last character sorts after '.' gets a full stop.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        text += '.';
    return ToQString(text);
}

void TApplication::ShowException(const std::string& message) { MessageDlg(ExceptionText(message), mtError); }

void TApplication::HandleException(std::exception_ptr failure) { ShowException(ExceptionMessage(failure)); }

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleException(std::current_exception());
        return false;
    }
}

TApplication* Application() { return g_application; }

std::string ExceptionMessage(std::exception_ptr failure) {
    try {
        if (failure)
            std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
    }
    return "Unknown failure";
}

void CallSafely(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        if (TApplication* app = Application())
            app->HandleException(std::current_exception());
        else
            std::fprintf(stderr, "%s\n", ExceptionMessage(std::current_exception()).c_str());
    }
}

} // namespace framework
