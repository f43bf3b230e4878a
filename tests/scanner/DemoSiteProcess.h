// Starts tovrin-demo-site on a free loopback port for a test and stops it afterwards.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace scanner::testing {

class DemoSiteProcess {
public:
    explicit DemoSiteProcess(std::vector<std::string> arguments) {
        int out[2];
        if (pipe(out) != 0)
            throw std::runtime_error("pipe failed");
        arguments.insert(arguments.begin(), {TOVRIN_DEMO_SITE_PATH, "--port", "0"});
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

    int port() const { return port_; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

} // namespace scanner::testing
