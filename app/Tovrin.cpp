// The windowed program: initialise the application, set its title, create the main window
// (its creation handler probes the site), put the skin chosen on the command line in force,
// show the window and run the message loop until it closes. "--screenshot OUT.png
// [--screenshot-scan LAST]" renders the window to a picture and exits, after scanning 1..LAST
// when asked; such a run answers its own dialogs.
#include "app/LogPlace.h"
#include "app/SkinChoice.h"
#include "app/SkinWatch.h"
#include "app/Tovrin1.h"

#include "framework/widgets/Application.h"
#include "framework/base/SysUtils.h"
#include "framework/widgets/QtText.h"
#include "scanner/SiteHost.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int kUsageError = 2;
constexpr int kPictureError = 1;
constexpr int kNoDisplay = 1;

constexpr int kDialogPollMs = 20;

constexpr const char* kUsage =
    "usage: tovrin [--host HOST[:PORT]] [--log PATH] [--skin NAME|FILE [--watch]] [--hue DEGREES]\n"
    "              [--saturation PERCENT] [--screenshot OUT.png [--screenshot-scan LAST]]\n"
    "Opens the scanner's window for the site: it reads the site's main page for the newest file\n"
    "number, and Start walks the range of numbers shown.\n"
    "  --host HOST[:PORT]      the site, also as http://HOST[:PORT]/... (else $TOVRIN_HOST, else\n"
    "                          the built-in default, %s)\n"
    "  --log PATH              where a run saves the log (default: logs.txt beside the program, or\n"
    "                          in $XDG_STATE_HOME/tovrin when that folder cannot be written)\n"
    "  --skin NAME|FILE        the window's skin: a package (.vlz or any stored package), a skin\n"
    "                          folder, or the name of one in %s;\n"
    "                          \"Pewter (internal)\" when it cannot be found or loaded\n"
    "  --watch                 read the skin again whenever one of its files changes; a save that\n"
    "                          cannot be loaded leaves the last good skin (why goes to standard\n"
    "                          error and the log tab)\n"
    "  --hue DEGREES           turn the skin's hues (-360..360)\n"
    "  --saturation PERCENT    change the skin's saturation (-100..100)\n"
    "  --screenshot OUT.png    draw the window, in the skin in force, into a PNG picture and exit;\n"
    "                          dialogs are answered\n"
    "  --screenshot-scan LAST  before the picture, scan the numbers 1..LAST (at most the newest)\n"
    "  --version               print the version\n"
    "Without a display, tovrin-scan runs the same scan on the command line.\n";
constexpr int kHueLimit = 360;
constexpr int kSaturationLimit = 100;

constexpr const char* kNoDisplayMessage =
    "tovrin: no display to open the window on; tovrin-scan runs the same scan on the command line\n";
constexpr const char* kDisplayFailedMessage =
    "tovrin: the display cannot be opened; tovrin-scan runs the same scan on the command line\n";

struct UsageError {
    std::string message;
};

struct Options {
    std::optional<std::string> host;
    std::optional<std::string> log;
    std::optional<std::string> screenshot;
    std::optional<std::string> screenshotScan;
    std::optional<std::string> skin;
    std::optional<std::string> hue;
    std::optional<std::string> saturation;
    bool watch = false;
};

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

bool IsDecimalNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

// The program's own options. Before the application exists (strict false) other arguments are
// passed over, since Qt takes its own ("-platform offscreen", "--style ..."); afterwards what
// Qt left that is not ours is an error.
Options ParseOptions(int argc, char** argv, bool strict) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto take = [&](const char* name, std::optional<std::string>& into) {
            const std::string prefix = std::string(name) + "=";
            if (arg.rfind(prefix, 0) == 0)
                into = arg.substr(prefix.size());
            else if (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0)
                into = argv[++i];
            else
                throw UsageError{std::string(name) + " needs a value"};
            if (into->empty())
                throw UsageError{std::string(name) + " needs a value"};
        };
        auto is = [&](const char* name) { return arg == name || arg.rfind(std::string(name) + "=", 0) == 0; };
        if (is("--host"))
            take("--host", options.host);
        else if (is("--log"))
            take("--log", options.log);
        else if (is("--screenshot"))
            take("--screenshot", options.screenshot);
        else if (is("--screenshot-scan"))
            take("--screenshot-scan", options.screenshotScan);
        else if (is("--skin"))
            take("--skin", options.skin);
        else if (is("--hue"))
            take("--hue", options.hue);
        else if (is("--saturation"))
            take("--saturation", options.saturation);
        else if (arg == "--watch")
            options.watch = true;
        else if (strict)
            throw UsageError{(arg.size() > 1 && arg[0] == '-' ? "unknown option " : "unexpected argument ") + arg};
    }
    if (options.screenshotScan && !IsDecimalNumber(*options.screenshotScan))
        throw UsageError{"--screenshot-scan takes a file number"};
    if (options.screenshotScan && !options.screenshot)
        throw UsageError{"--screenshot-scan goes with --screenshot"};
    if (options.watch && !options.skin)
        throw UsageError{"--watch goes with --skin FOLDER or a package file"};
    if (options.watch && options.screenshot)
        throw UsageError{"--watch does not go with --screenshot"};
    return options;
}

// A whole number within -limit..limit.
int BoundedNumber(const char* name, const std::string& text, int limit) {
    const bool signedNumber = !text.empty() && (text[0] == '-' || text[0] == '+');
    const std::string digits = signedNumber ? text.substr(1) : text;
    if (!IsDecimalNumber(digits))
        throw UsageError{std::string(name) + " takes a whole number"};
    const long value = std::stol(digits) * (text[0] == '-' ? -1 : 1);
    if (value < -limit || value > limit)
        throw UsageError{std::string(name) + " takes a number from " + std::to_string(-limit) + " to " +
                         std::to_string(limit)};
    return int(value);
}

app::SkinChoice SkinChoiceOf(const Options& options) {
    app::SkinChoice choice;
    choice.source = options.skin;
    if (options.hue)
        choice.hue = BoundedNumber("--hue", *options.hue, kHueLimit);
    if (options.saturation)
        choice.saturation = BoundedNumber("--saturation", *options.saturation, kSaturationLimit);
    return choice;
}

void PrintUsage(std::FILE* to) {
    std::fprintf(to, kUsage, std::string(scanner::DefaultSiteHost()).c_str(),
                 skin::TsSkinManager::DefaultSkinDirectory().c_str());
}

int Usage(const std::string& message) {
    std::fprintf(stderr, "tovrin: %s\n", message.c_str());
    PrintUsage(stderr);
    return kUsageError;
}

// Whether Qt will find a display: the platform asked for (QT_QPA_PLATFORM, or -platform), else
// X11 or Wayland by their environment variables. Platforms that need no display (offscreen,
// vnc, ...) always do.
bool DisplayExpected(int argc, char** argv) {
    std::string platforms;
    if (const char* chosen = std::getenv("QT_QPA_PLATFORM"))
        platforms = chosen;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            platforms = argv[i + 1];
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    if (platforms.empty())
        return set("DISPLAY") || set("WAYLAND_DISPLAY");
    // A list such as "wayland;xcb" is tried in order: one usable entry is enough. An entry may
    // carry arguments after a colon ("vnc:size=800x600").
    std::size_t start = 0;
    while (start <= platforms.size()) {
        const std::size_t end = std::min(platforms.find(';', start), platforms.size());
        const std::string entry = platforms.substr(start, end - start);
        const std::string name = entry.substr(0, entry.find(':'));
        if (name == "xcb" ? set("DISPLAY") : name.rfind("wayland", 0) == 0 ? set("WAYLAND_DISPLAY") : !name.empty())
            return true;
        start = end + 1;
    }
    return false;
}

// While the application is being made, a display that cannot be reached ends the program with
// the same one line instead of Qt's abort; Qt's own lines about it are not shown.
QtMessageHandler gQtHandler = nullptr;
void WhileConnecting(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs(kDisplayFailedMessage, stderr);
        std::_Exit(kNoDisplay);
    }
    if (context.category != nullptr && std::strncmp(context.category, "qt.qpa", 6) == 0)
        return;
    if (gQtHandler != nullptr)
        gQtHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Closes every modal window as it appears (error dialogs, the completion message), so that a
// picture is taken even where no one can answer them.
class DialogAnswerer {
public:
    DialogAnswerer() {
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        timer_.start(kDialogPollMs);
    }

private:
    QTimer timer_;
};

int SaveScreenshot(app::TForm1& form, const std::string& path, const std::optional<std::string>& scanTo) {
    form.show();
    framework::Application()->ProcessMessages();
    if (scanTo) {
        // Walks 1..last on the GUI thread as Start would; past the newest number there is
        // nothing to scan, so last is cut to it, as the range-end edit's limit would.
        std::string last = *scanTo;
        const int newest = framework::StrToIntDef(scanner::NewestNumber, 0);
        if (newest > 0 && framework::StrToIntDef(last, 0) > newest) {
            std::fprintf(stderr, "tovrin: --screenshot-scan %s is past the newest number, %d; scanning 1..%d\n",
                         last.c_str(), newest, newest);
            last = std::to_string(newest);
        }
        form.sSpinEdit2->setText(QString::fromStdString(last));
        form.ScanRange();
    }
    // The picture shows the window as the active one, whatever dialog had the focus last.
    form.activateWindow();
    framework::Application()->ProcessMessages();
    if (!form.grab().save(QString::fromLocal8Bit(path.c_str()), "PNG")) {
        std::fprintf(stderr, "tovrin: cannot write %s\n", path.c_str());
        return kPictureError;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (IsHelp(argv[i])) {
            PrintUsage(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("tovrin " TOVRIN_VERSION);
            return 0;
        }
    }
    Options options;
    scanner::ScanSettings settings;
    app::SkinChoice skinChoice;
    try {
        options = ParseOptions(argc, argv, false);
        settings.host = scanner::ResolveSiteHost(options.host);
        skinChoice = SkinChoiceOf(options);
    } catch (const UsageError& error) {
        return Usage(error.message);
    } catch (const std::exception& error) {
        return Usage(error.what());
    }
    if (!DisplayExpected(argc, argv)) {
        std::fputs(kNoDisplayMessage, stderr);
        return kNoDisplay;
    }

    gQtHandler = qInstallMessageHandler(WhileConnecting);
    framework::TApplication application(argc, argv);
    qInstallMessageHandler(gQtHandler);
    try {
        ParseOptions(argc, argv, true); // what Qt did not take
    } catch (const UsageError& error) {
        return Usage(error.message);
    }

    app::LogPlace logPlace;
    if (options.log)
        logPlace.path = std::filesystem::absolute(*options.log);
    else
        logPlace = app::ChooseLogPlace(scanner::DefaultLogPath().parent_path());
    settings.logPath = logPlace.path;
    application.SetTitle(framework::ToQString(settings.host) + QStringLiteral(" Parser"));
    std::optional<DialogAnswerer> answerer;
    if (options.screenshot)
        answerer.emplace(); // before the window exists: its creation may already show a dialog
    auto* form = application.CreateForm<app::TForm1>(settings);
    if (!logPlace.note.empty())
        form->AppendLogLine(logPlace.note);
    const std::string skinProblem = app::ApplySkinChoice(*form->sSkinManager1, skinChoice);
    if (!skinProblem.empty())
        std::fprintf(stderr, "tovrin: %s\n", skinProblem.c_str());
    if (options.watch)
        if (const std::string why = app::WatchSkin(*form, *options.skin); !why.empty())
            std::fprintf(stderr, "tovrin: --watch: %s\n", why.c_str());
    // A skin editor may send the running program previews of the skin it edits.
    form->sSkinManager1->ListenForPreview();
    if (options.screenshot)
        return SaveScreenshot(*form, *options.screenshot, options.screenshotScan);
    return application.Run();
}
