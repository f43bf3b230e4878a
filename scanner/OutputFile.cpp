// The output writer: atomic replacement for files, direct writes for everything else.
#include "scanner/OutputFile.h"

#include "framework/base/Cp1251.h"
#include "framework/base/SysUtils.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scanner {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinks = 40; // as the kernel's own limit on a chain of links

[[noreturn]] void FailWrite(const fs::path& path, int error) {
    throw framework::Exception(framework::Utf8ToCp1251("Cannot write file \"" + path.string() + "\": " + std::strerror(error)));
}

// How an output is written, decided by what its path names now.
enum class OutputKind { ReplacedFile, WrittenDirectly };

struct OutputPlace {
    OutputKind kind = OutputKind::ReplacedFile;
    fs::path file; // the file replaced (a link's final target), or the path written directly
};

// The path a chain of symbolic links ends at, each relative target taken from its link's folder;
// the path itself when it is no link. The end may not exist yet.
fs::path FinalTarget(const fs::path& path) {
    fs::path current = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), target, sizeof target - 1);
        if (length < 0)
            FailWrite(path, errno);
        const fs::path next(std::string(target, static_cast<std::size_t>(length)));
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    FailWrite(path, ELOOP);
}

OutputPlace PlaceOf(const fs::path& path) {
    struct stat info {};
    // stat follows every link, the kernel's own ones of /dev/stdout and /proc/self/fd too.
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            FailWrite(path, EISDIR);
        if (!S_ISREG(info.st_mode))
            return {OutputKind::WrittenDirectly, path};
    }
    return {OutputKind::ReplacedFile, FinalTarget(path)};
}

// The mkstemp template of a temporary file in the folder of file, renamed over file when written.
std::string TemporaryNameBeside(const fs::path& file) {
    fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    return (folder / ("." + file.filename().string() + ".XXXXXX")).string();
}

mode_t NewFileMode() {
    constexpr mode_t kReadWriteAll = 0666;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return kReadWriteAll & ~mask;
}

// Writes all of bytes to fd; the errno of the failure, or 0.
int WriteAll(int fd, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

void ReplaceFile(const fs::path& shownPath, const fs::path& file, const std::string& bytes) {
    std::string temporary = TemporaryNameBeside(file);
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        FailWrite(shownPath, errno);
    auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        FailWrite(shownPath, error);
    };
    if (::fchmod(fd, NewFileMode()) != 0)
        abandon(errno);
    if (const int error = WriteAll(fd, bytes))
        abandon(error);
    if (::fsync(fd) != 0)
        abandon(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        FailWrite(shownPath, error);
    }
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        FailWrite(shownPath, error);
    }
}

void WriteDirectly(const fs::path& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        FailWrite(path, errno);
    const int error = WriteAll(fd, bytes);
    ::close(fd);
    if (error != 0)
        FailWrite(path, error);
}

} // namespace

void WriteOutputFile(const fs::path& path, const std::string& bytes) {
    const OutputPlace place = PlaceOf(path);
    if (place.kind == OutputKind::WrittenDirectly)
        WriteDirectly(place.file, bytes);
    else
        ReplaceFile(path, place.file, bytes);
}

void CheckOutputFile(const fs::path& path) {
    const OutputPlace place = PlaceOf(path);
    if (place.kind == OutputKind::WrittenDirectly) {
        if (::access(place.file.c_str(), W_OK) != 0)
            FailWrite(path, errno);
        return;
    }
    std::string temporary = TemporaryNameBeside(place.file);
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        FailWrite(path, errno);
    ::close(fd);
    ::unlink(temporary.c_str());
}

} // namespace scanner
