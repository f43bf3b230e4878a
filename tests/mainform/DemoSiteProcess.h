// The demo site as a child process on a free loopback port, and the window made against it
// the way the program makes it (FormCreate run, then shown).
#pragma once

#include "app/Tovrin1.h"

#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace testing_support {

class DemoSiteProcess {
public:
    // Starts tovrin-demo-site --port 0 --newest newest and reads the port it listens on.
    explicit DemoSiteProcess(int newest);
    ~DemoSiteProcess();
    std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }
    int Port() const { return port_; }

private:
    QProcess process_;
    int port_ = 0;
};

// A loopback address where nothing listens.
std::string UnreachableHost();

// Resets the program-wide scan state, creates the window, runs its OnCreate and shows it.
std::unique_ptr<app::TForm1> MakeWindow(const std::string& host, const std::filesystem::path& logPath);

// The bytes of a file ("" when it cannot be read).
std::string ReadFile(const std::filesystem::path& path);

} // namespace testing_support
