// The programs' command lines as a newcomer meets them: --help in every program, --version, the
// window program without a display, its options without values, a picture of a site it cannot
// reach, a scan for the picture past the newest number, the window's log where the program's
// folder cannot be written, and the demo site on a port in use.
#include "framework/base/Cp1251.h"
#include "tests/mainform/MainFormFixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <utility>

namespace {

constexpr int kTimeoutMs = 30000;

struct Finished {
    bool ended = false;
    int status = -1;
    QString out, err;
};

// Runs a program to its end (killed after the timeout); unset names environment variables
// taken away, set adds or replaces some.
Finished RunProgram(const QString& program, const QStringList& arguments, const QStringList& unset = {},
             const QStringList& set = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : unset)
        environment.remove(name);
    for (const QString& entry : set)
        environment.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Finished f;
    f.ended = process.waitForFinished(kTimeoutMs);
    if (!f.ended) {
        process.kill();
        process.waitForFinished();
    }
    f.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    f.out = QString::fromUtf8(process.readAllStandardOutput());
    f.err = QString::fromUtf8(process.readAllStandardError());
    return f;
}

const QStringList kNoDisplay = {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
                                QStringLiteral("QT_QPA_PLATFORM")};

} // namespace

TEST(ProgramCommandLine, HelpPrintsTheUsageAndExitsZeroInEveryProgram) {
    struct Program {
        const char* path;
        const char* usage;
    };
    const Program programs[] = {
        {TOVRIN_WINDOW, "usage: tovrin "},
        {TOVRIN_SCAN, "usage: tovrin-scan "},
        {TOVRIN_SKIN_TOOL, "usage:\n  tovrin-skin "},
        {TOVRIN_DEMO_SITE, "usage: tovrin-demo-site "},
        {TOVRIN_SKIN_ART, "usage: tovrin-skin-art "},
    };
    for (const Program& program : programs) {
        for (const char* help : {"--help", "-h"}) {
            SCOPED_TRACE(std::string(program.path) + " " + help);
            // Without a display too: asking for help needs none.
            const Finished f = RunProgram(QString::fromUtf8(program.path), {QString::fromLatin1(help)}, kNoDisplay);
            ASSERT_TRUE(f.ended);
            EXPECT_EQ(f.status, 0) << f.err.toStdString();
            EXPECT_TRUE(f.out.startsWith(QString::fromLatin1(program.usage))) << f.out.toStdString();
            EXPECT_TRUE(f.err.isEmpty()) << f.err.toStdString();
        }
    }
}

// Without a display the window program says in one line what to use instead, and exits 1
// rather than letting Qt abort it.
TEST(ProgramCommandLine, TheWindowProgramWithoutADisplayNamesTovrinScanAndExitsOne) {
    struct Case {
        const char* name;
        QStringList set;
        const char* said;
    };
    const Case cases[] = {
        {"no display at all", {}, "tovrin: no display to open the window on; "},
        {"a display that cannot be opened", {QStringLiteral("DISPLAY=:4711"), QStringLiteral("QT_QPA_PLATFORM=xcb")},
         "tovrin: the display cannot be opened; "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Finished f = RunProgram(QStringLiteral(TOVRIN_WINDOW), {}, kNoDisplay, c.set);
        ASSERT_TRUE(f.ended);
        EXPECT_EQ(f.status, 1) << f.err.toStdString();
        EXPECT_TRUE(f.err.startsWith(QString::fromLatin1(c.said))) << f.err.toStdString();
        EXPECT_TRUE(f.err.contains(QStringLiteral("tovrin-scan"))) << f.err.toStdString();
        EXPECT_EQ(f.err.count(u'\n'), 1) << f.err.toStdString();
    }
}

// An option without its value is a usage error (status 2), never the option's default.
TEST(ProgramCommandLine, TheWindowProgramsOptionsWithoutAValueAreUsageErrors) {
    const QStringList cases[] = {
        {QStringLiteral("--host")},
        {QStringLiteral("--host"), QStringLiteral("--screenshot"), QStringLiteral("x.png")},
        {QStringLiteral("--host=")},
        {QStringLiteral("--screenshot")},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const Finished f = RunProgram(QStringLiteral(TOVRIN_WINDOW), arguments);
        ASSERT_TRUE(f.ended);
        EXPECT_EQ(f.status, 2);
        EXPECT_TRUE(f.err.startsWith(arguments[0].section(u'=', 0, 0).prepend(QStringLiteral("tovrin: ")) +
                                     QStringLiteral(" needs a value\nusage: tovrin ")))
            << f.err.toStdString();
        EXPECT_TRUE(f.out.isEmpty());
    }
}

// --watch watches the skin --skin gives, and a window: without either it is a usage error.
TEST(ProgramCommandLine, WatchGoesWithASkinAndAWindow) {
    const std::pair<QStringList, const char*> cases[] = {
        {{QStringLiteral("--watch")}, "tovrin: --watch goes with --skin FOLDER or a package file\n"},
        {{QStringLiteral("--skin"), QStringLiteral("x"), QStringLiteral("--watch"), QStringLiteral("--screenshot"),
          QStringLiteral("x.png")},
         "tovrin: --watch does not go with --screenshot\n"},
    };
    for (const auto& [arguments, said] : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const Finished f = RunProgram(QStringLiteral(TOVRIN_WINDOW), arguments);
        ASSERT_TRUE(f.ended);
        EXPECT_EQ(f.status, 2);
        EXPECT_TRUE(f.err.startsWith(QString::fromLatin1(said) + QStringLiteral("usage: tovrin "))) << f.err.toStdString();
    }
}

// The site's error dialog and the run's, answered by the screenshot run itself; the picture
// shows the window with its design values.
TEST(ProgramCommandLine, AScreenshotOfASiteThatCannotBeReachedAnswersItsDialogsAndIsWritten) {
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("window.png"));
    const Finished f = RunProgram(QStringLiteral(TOVRIN_WINDOW),
                           {QStringLiteral("--host"), QString::fromStdString(testing_support::UnreachableHost()),
                            QStringLiteral("--screenshot"), picture, QStringLiteral("--screenshot-scan"), QStringLiteral("3")});
    ASSERT_TRUE(f.ended) << "still waiting for its dialog after " << kTimeoutMs << " ms";
    EXPECT_EQ(f.status, 0) << f.err.toStdString();
    EXPECT_EQ(QImage(picture).size(), QSize(499, 363)) << "the window with its skinned frame";
}

TEST(ProgramCommandLine, VersionPrintsTheProgramsNameAndVersion) {
    const char* const programs[][2] = {
        {TOVRIN_WINDOW, "tovrin"}, {TOVRIN_SCAN, "tovrin-scan"}, {TOVRIN_SKIN_TOOL, "tovrin-skin"}};
    for (const auto& [path, name] : programs) {
        SCOPED_TRACE(name);
        const Finished f = RunProgram(QString::fromUtf8(path), {QStringLiteral("--version")}, kNoDisplay);
        ASSERT_TRUE(f.ended);
        EXPECT_EQ(f.status, 0);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1 [0-9]+(\\.[0-9]+)+\n$").arg(QString::fromLatin1(name))).match(f.out).hasMatch())
            << f.out.toStdString();
        EXPECT_TRUE(f.err.isEmpty());
    }
}

// A scan for the picture past the newest number is cut to it and said so, and --log chooses
// where the run's log goes.
TEST(ProgramCommandLine, AScreenshotScanPastTheNewestNumberIsCutToIt) {
    testing_support::DemoSiteProcess site(testing_support::Newest(4));
    QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("chosen.txt"));
    const Finished f = RunProgram(QStringLiteral(TOVRIN_WINDOW),
                                  {QStringLiteral("--host"), QString::fromStdString(site.Host()), QStringLiteral("--log"), log,
                                   QStringLiteral("--screenshot"), folder.filePath(QStringLiteral("w.png")),
                                   QStringLiteral("--screenshot-scan"), QStringLiteral("9")});
    ASSERT_TRUE(f.ended);
    EXPECT_EQ(f.status, 0) << f.err.toStdString();
    EXPECT_TRUE(f.err.contains(QStringLiteral("tovrin: --screenshot-scan 9 is past the newest number, 4; scanning 1..4\n")))
        << f.err.toStdString();
    const std::string saved = testing_support::ReadFile(log.toStdString());
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = saved.find("\r\n", at)) != std::string::npos; at += 2)
        ++lines;
    EXPECT_EQ(lines, 4u + 1u) << saved; // numbers 1..4 and the closing line end
    EXPECT_NE(saved.find("/4 - "), std::string::npos);
}

// Installed where its folder takes no files, the window saves its log in $XDG_STATE_HOME/tovrin
// and says so once in the log tab (and so in the saved log). Run as an ordinary user: root may
// write anywhere.
TEST(ProgramCommandLine, TheWindowsLogGoesToTheStateFolderWhenTheProgramsFolderCannotBeWritten) {
    testing_support::DemoSiteProcess site(testing_support::Newest(10));
    QTemporaryDir folder;
    const QString bin = folder.filePath(QStringLiteral("bin"));
    const QString state = folder.filePath(QStringLiteral("state"));
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(state));
    const QString program = bin + QStringLiteral("/tovrin");
    ASSERT_TRUE(QFile::copy(QStringLiteral(TOVRIN_WINDOW), program));
    ASSERT_EQ(chmod(QFile::encodeName(bin).constData(), 0555), 0);
    ASSERT_EQ(chmod(QFile::encodeName(state).constData(), 0777), 0);
    ASSERT_EQ(chmod(QFile::encodeName(folder.path()).constData(), 0755), 0);
    QStringList arguments = {QStringLiteral("--host"), QString::fromStdString(site.Host()), QStringLiteral("--screenshot"),
                             state + QStringLiteral("/w.png"), QStringLiteral("--screenshot-scan"), QStringLiteral("2")};
    QString runner = program;
    if (geteuid() == 0) {
        constexpr int kNobody = 65534;
        arguments = QStringList{QStringLiteral("--reuid=%1").arg(kNobody), QStringLiteral("--regid=%1").arg(kNobody),
                                QStringLiteral("--clear-groups"), QStringLiteral("--"), program} + arguments;
        runner = QStringLiteral("setpriv");
    }
    const Finished f = RunProgram(runner, arguments, {}, {QStringLiteral("XDG_STATE_HOME=") + state, QStringLiteral("HOME=") + state});
    ASSERT_TRUE(f.ended);
    EXPECT_EQ(f.status, 0) << f.err.toStdString();
    chmod(QFile::encodeName(bin).constData(), 0755); // for the folder's removal

    const std::string logPath = (state + QStringLiteral("/tovrin/logs.txt")).toStdString();
    const std::string saved = testing_support::ReadFile(logPath);
    const std::string note = framework::Utf8ToCp1251("Папка программы закрыта для записи; журнал сохраняется в " + logPath);
    EXPECT_EQ(saved.substr(0, saved.find("\r\n")), note);
    EXPECT_NE(saved.find("/2 - "), std::string::npos) << saved;
    EXPECT_FALSE(QFile::exists(bin + QStringLiteral("/logs.txt")));
}

TEST(ProgramCommandLine, TheDemoSiteOnAPortInUseFailsInsteadOfSharingIt) {
    testing_support::DemoSiteProcess site(testing_support::Newest(3));
    const Finished f =
        RunProgram(QStringLiteral(TOVRIN_DEMO_SITE), {QStringLiteral("--port"), QString::number(site.Port())});
    ASSERT_TRUE(f.ended);
    EXPECT_EQ(f.status, 1);
    EXPECT_TRUE(f.out.isEmpty()) << f.out.toStdString();
    EXPECT_EQ(f.err, QStringLiteral("tovrin-demo-site: cannot listen on 127.0.0.1 port %1: the port is in use\n").arg(site.Port()));
}
