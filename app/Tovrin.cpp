// The windowed program: initialise the application, set its title, create the main window
// (its creation handler probes the site), show it and run the message loop until it closes.
// "--screenshot OUT.png [--screenshot-scan LAST]" renders the window to a picture and exits,
// after scanning 1..LAST when asked (the completion message is answered by itself).
#include "app/Tovrin1.h"

#include "framework/widgets/Application.h"
#include "framework/widgets/QtText.h"
#include "scanner/SiteHost.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr int kUsageError = 2;
constexpr int kPictureError = 1;

constexpr int kDialogPollMs = 20;

std::optional<std::string> FindOption(int argc, char** argv, const char* option) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], option) == 0)
            return std::string(argv[i + 1]);
    return std::nullopt;
}

// Walks 1..last on the GUI thread as Start would, closing the completion message itself.
void ScanForPicture(app::TForm1& form, const std::string& last) {
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    answer.start(kDialogPollMs);
    form.sSpinEdit2->setText(QString::fromStdString(last));
    form.ScanRange();
}

int SaveScreenshot(app::TForm1& form, const std::string& path, const std::optional<std::string>& scanTo) {
    form.show();
    framework::Application()->ProcessMessages();
    if (scanTo)
        ScanForPicture(form, *scanTo);
    framework::Application()->ProcessMessages();
    if (!form.grab().save(QString::fromLocal8Bit(path.c_str()), "PNG")) {
        std::fprintf(stderr, "tovrin: cannot write %s\n", path.c_str());
        return kPictureError;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    framework::TApplication application(argc, argv);
    scanner::ScanSettings settings;
    try {
        settings.host = scanner::ResolveSiteHost(scanner::FindHostArgument(argc, argv));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tovrin: %s\n", error.what());
        return kUsageError;
    }
    settings.logPath = scanner::DefaultLogPath();
    application.SetTitle(framework::ToQString(settings.host) + QStringLiteral(" Parser"));
    auto* form = application.CreateForm<app::TForm1>(settings);
    // A skin editor may send the running program previews of the skin it edits.
    form->sSkinManager1->ListenForPreview();
    if (const std::optional<std::string> screenshot = FindOption(argc, argv, "--screenshot"))
        return SaveScreenshot(*form, *screenshot, FindOption(argc, argv, "--screenshot-scan"));
    return application.Run();
}
