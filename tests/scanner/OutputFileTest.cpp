// The output writer: files replaced whole, links written through, FIFOs and devices written
// directly, and the check before a run that changes nothing.
#include "framework/base/SysUtils.h"
#include "scanner/OutputFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <future>
#include <sstream>

namespace scanner {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class OutputFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("tovrin-output-test-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "real");
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Every name in a folder, so that a test sees no temporary file was left behind.
    std::vector<std::string> Names(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
};

TEST_F(OutputFileTest, FilesAreReplacedAndLinksWrittenThroughToTheirTarget) {
    struct Case {
        const char* what;
        std::function<void(const fs::path& folder)> arrange;
        const char* written;    // the name written, in folder_
        const char* landsIn;    // where the bytes end, in folder_
        const char* staysALink; // "" when no link is involved
    };
    const Case cases[] = {
        {"a new file", [](const fs::path&) {}, "out.csv", "out.csv", ""},
        {"an old longer file", [](const fs::path& f) { std::ofstream(f / "out.csv") << "an old and longer content\n"; },
         "out.csv", "out.csv", ""},
        {"a link to a file in another folder",
         [](const fs::path& f) {
             std::ofstream(f / "real" / "t.csv") << "old";
             fs::create_symlink("real/t.csv", f / "link.csv");
         },
         "link.csv", "real/t.csv", "link.csv"},
        {"a link whose target is not there yet",
         [](const fs::path& f) { fs::create_symlink(f / "real" / "new.csv", f / "dangling.csv"); }, "dangling.csv",
         "real/new.csv", "dangling.csv"},
        {"a chain of links",
         [](const fs::path& f) {
             std::ofstream(f / "real" / "end.csv") << "old";
             fs::create_symlink("end.csv", f / "real" / "middle.csv");
             fs::create_symlink("real/middle.csv", f / "first.csv");
         },
         "first.csv", "real/end.csv", "first.csv"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.arrange(folder_);
        WriteOutputFile(folder_ / c.written, "a,b\r\n1,2\r\n");
        EXPECT_EQ(ReadFile(folder_ / c.landsIn), "a,b\r\n1,2\r\n");
        if (*c.staysALink) {
            EXPECT_TRUE(fs::is_symlink(folder_ / c.staysALink));
        }
        for (const fs::path& folder : {folder_, folder_ / "real"})
            for (const std::string& name : Names(folder))
                EXPECT_NE(name.front(), '.') << "a temporary file was left: " << name;
    }
}

TEST_F(OutputFileTest, AFifoWithAReaderGetsTheBytesAndStaysAFifo) {
    const fs::path fifo = folder_ / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    CheckOutputFile(fifo); // returns at once: a FIFO is not opened by the check
    std::future<std::string> reader = std::async(std::launch::async, [&] { return ReadFile(fifo); });
    WriteOutputFile(fifo, "through the pipe\n");
    EXPECT_EQ(reader.get(), "through the pipe\n");
    struct stat info {};
    ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(Names(folder_), (std::vector<std::string>{"pipe", "real"}));
}

TEST_F(OutputFileTest, ADeviceIsWrittenDirectly) {
    const fs::path device = "/dev/null";
    struct stat before {};
    ASSERT_EQ(::lstat(device.c_str(), &before), 0);
    CheckOutputFile(device);
    WriteOutputFile(device, "into nothing");
    struct stat after {};
    ASSERT_EQ(::lstat(device.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
}

TEST_F(OutputFileTest, WhatCannotBeWrittenFailsWithItsPathAndReasonAndChangesNothing) {
    fs::create_directories(folder_ / "a-folder");
    fs::create_symlink("no-folder/x.csv", folder_ / "link-into-nothing");
    struct Case {
        fs::path path;
        const char* reason;
    };
    const Case cases[] = {
        {folder_ / "no-folder" / "x.csv", "No such file or directory"},
        {folder_ / "a-folder", "Is a directory"},
        {folder_ / "link-into-nothing", "No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.string());
        const std::string expected = "Cannot write file \"" + c.path.string() + "\": " + c.reason;
        for (int writing = 0; writing < 2; ++writing) {
            try {
                writing ? WriteOutputFile(c.path, "x") : CheckOutputFile(c.path);
                ADD_FAILURE() << "no failure";
            } catch (const framework::Exception& failure) {
                EXPECT_EQ(failure.what(), expected);
            }
        }
    }
    EXPECT_EQ(Names(folder_), (std::vector<std::string>{"a-folder", "link-into-nothing", "real"}));
    EXPECT_TRUE(fs::is_empty(folder_ / "a-folder"));
}

} // namespace
} // namespace scanner
