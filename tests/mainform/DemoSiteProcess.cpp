// Starting the demo site and the window for the tests.
#include "tests/mainform/DemoSiteProcess.h"

#include <QTcpServer>

#include <fstream>
#include <sstream>

namespace testing_support {
namespace {
constexpr int kStartTimeoutMs = 10000;
constexpr std::chrono::milliseconds kTestPause{1};
} // namespace

DemoSiteProcess::DemoSiteProcess(int newest) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(TOVRIN_DEMO_SITE),
                   {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--newest"), QString::number(newest)});
    if (process_.waitForStarted(kStartTimeoutMs) && process_.waitForReadyRead(kStartTimeoutMs))
        port_ = process_.readLine().trimmed().toInt();
}

DemoSiteProcess::~DemoSiteProcess() {
    process_.kill();
    process_.waitForFinished();
}

std::string UnreachableHost() {
    // A port that was just free: bound and released, so nothing listens there.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    return "127.0.0.1:" + std::to_string(port);
}

std::unique_ptr<app::TForm1> MakeWindow(const std::string& host, const std::filesystem::path& logPath) {
    scanner::RunFlag = false;
    scanner::NewestNumber.clear();
    scanner::MainPageText.clear();
    scanner::ScanSettings settings;
    settings.host = host;
    settings.logPath = logPath;
    settings.pause = kTestPause;
    auto form = std::make_unique<app::TForm1>(settings);
    form->DoCreate();
    form->show();
    return form;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace testing_support
