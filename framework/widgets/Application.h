// TApplication: the application object. It owns the forms, runs the message loop, pumps
// messages once on request, and is the one place where a failure that reaches the loop is
// caught and shown in the standard error dialog (Qt never sees an exception).
#pragma once

#include <QApplication>
#include <QPointer>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace framework {

class TForm;

class TApplication : public QApplication {
    Q_OBJECT
public:
    // Registers the system fonts (fully hinted), the framework's message dialog as the message presenter and
    // the form list as the top-level window lister.
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    QString Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }

    // Creates a form owned by the application and runs its OnCreate; the first form created
    // is the main form, whose closing ends the message loop.
    template <class Form, class... Args>
    Form* CreateForm(Args&&... args) {
        auto form = std::make_unique<Form>(std::forward<Args>(args)...);
        Form* created = form.get();
        AdoptForm(std::move(form));
        return created;
    }
    TForm* MainForm() const { return mainForm_; }

    // Shows the main form and runs the message loop until it is closed; then waits for
    // threads still running and returns the exit code.
    int Run();
    // Dispatches every message already queued, then returns.
    void ProcessMessages();
    bool Terminated() const { return terminated_; }

    // Shows the failure in the standard error dialog (error icon, Title as caption, the
    // message with a full stop appended when it does not end in one).
    void HandleException(std::exception_ptr failure);
    void ShowException(const std::string& message);
    // The error dialog's text for a failure message (Windows-1251 in, widget text out).
    static QString ExceptionText(const std::string& message);

    // Last line of defence: a failure that escaped a handler is shown, never passed on to Qt.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void AdoptForm(std::unique_ptr<TForm> form);

    QString title_;
    std::vector<std::unique_ptr<TForm>> forms_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
};

// The running application object; nullptr before it exists.
TApplication* Application();

// Runs handler; a failure it raises is shown through the application's standard error dialog
// (standard error when there is no application). Every framework event is fired through here.
void CallSafely(const std::function<void()>& handler);

// The message of a failure as the error dialog shows it (Windows-1251).
std::string ExceptionMessage(std::exception_ptr failure);

} // namespace framework
