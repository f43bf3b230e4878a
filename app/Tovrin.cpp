// The windowed program: initialise the application, set its title, create the main window
// (its creation handler probes the site), show it and run the message loop until it closes.
// "--screenshot OUT.png" renders the window after start-up to a picture and exits.
#include "app/Tovrin1.h"

#include "framework/Application.h"
#include "framework/QtText.h"
#include "scanner/SiteHost.h"

#include <QPixmap>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr int kUsageError = 2;
constexpr int kPictureError = 1;

std::optional<std::string> FindScreenshotArgument(int argc, char** argv) {
    constexpr const char* kOption = "--screenshot";
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], kOption) == 0)
            return std::string(argv[i + 1]);
    return std::nullopt;
}

int SaveScreenshot(app::TForm1& form, const std::string& path) {
    form.show();
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
    if (const std::optional<std::string> screenshot = FindScreenshotArgument(argc, argv))
        return SaveScreenshot(*form, *screenshot);
    return application.Run();
}
