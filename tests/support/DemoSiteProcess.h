// The demo site as a child process on a free loopback port, for the tests that talk to a real
// site; and a loopback address where nothing listens. Plain C++: the scanner tests have no Qt.
// The including test target defines TOVRIN_DEMO_SITE, the path of tovrin-demo-site.
#pragma once

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace testing_support {

class DemoSiteProcess {
public:
    // Starts tovrin-demo-site with the arguments (on a free port unless they name one) and
    // reads the port it prints.
    explicit DemoSiteProcess(std::vector<std::string> arguments) {
        int out[2];
        if (pipe(out) != 0)
            throw std::runtime_error("pipe failed");
        if (std::find(arguments.begin(), arguments.end(), "--port") == arguments.end())
            arguments.insert(arguments.begin(), {"--port", "0"});
        arguments.insert(arguments.begin(), TOVRIN_DEMO_SITE);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv;
            for (std::string& a : arguments)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        std::string line;
        char c = 0;
        while (read(out[0], &c, 1) == 1 && c != '\n')
            line += c;
        close(out[0]);
        port_ = line.empty() ? 0 : std::stoi(line);
        if (port_ <= 0)
            throw std::runtime_error("the demo site did not start");
    }
    ~DemoSiteProcess() {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    DemoSiteProcess(const DemoSiteProcess&) = delete;
    DemoSiteProcess& operator=(const DemoSiteProcess&) = delete;

    int Port() const { return port_; }
    std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

// A port that was just free: bound and released, so nothing listens there.
inline std::string UnreachableHost() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 1;
    if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0)
        close(fd);
    return "127.0.0.1:" + std::to_string(port);
}

} // namespace testing_support
