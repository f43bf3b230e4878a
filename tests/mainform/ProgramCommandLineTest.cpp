// The programs' command lines as a newcomer meets them: --help in every program, the window
// program without a display, its options without values, and a picture of a site it cannot reach.
#include "tests/mainform/MainFormFixture.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
