// Making the window for the tests.
#include "tests/mainform/MainFormFixture.h"

#include <fstream>
#include <sstream>

namespace testing_support {
namespace {
constexpr std::chrono::milliseconds kTestPause{1};
constexpr std::chrono::milliseconds kTestRetryDelay{10};
} // namespace

std::unique_ptr<app::TForm1> MakeWindow(const std::string& host, const std::filesystem::path& logPath) {
    scanner::RunFlag = false;
    scanner::NewestNumber.clear();
    scanner::MainPageText.clear();
    scanner::ScanSettings settings;
    settings.host = host;
    settings.logPath = logPath;
    settings.pause = kTestPause;
    settings.retry.delay = kTestRetryDelay;
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
