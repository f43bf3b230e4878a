// The main window made against a site the way the program makes it (FormCreate run, then
// shown), beside the demo site of tests/support.
#pragma once

#include "app/Tovrin1.h"
#include "tests/support/DemoSiteProcess.h"

#include <filesystem>
#include <memory>
#include <string>

namespace testing_support {

// The demo site with its newest number.
inline std::vector<std::string> Newest(int newest) { return {"--newest", std::to_string(newest)}; }

// Resets the program-wide scan state, creates the window, runs its OnCreate and shows it.
std::unique_ptr<app::TForm1> MakeWindow(const std::string& host, const std::filesystem::path& logPath);

// The bytes of a file ("" when it cannot be read).
std::string ReadFile(const std::filesystem::path& path);

} // namespace testing_support
