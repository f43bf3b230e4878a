// tovrin-demo-site: the demo file-hosting site on 127.0.0.1, for the scanner's tests, its
// benchmark and scripts/run. It ends when the process that started it ends.
#include "tools/demo-site/DemoPages.h"

#include <httplib.h>

#include <sys/prctl.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

constexpr const char* kUsage =
    "usage: tovrin-demo-site [--port P] [--newest N] [--delay-ms D] [--seed S]\n"
    "Serves a demo file-hosting site on 127.0.0.1 and prints the port it listens on.\n"
    "  --port P      the port (default 0: a free one)\n"
    "  --newest N    the newest file number, shown on /main (default 200)\n"
    "  --delay-ms D  wait D milliseconds before every answer (default 0)\n"
    "  --seed S      another seed gives other files (default 1)\n"
    "It ends with the process that started it.\n";
constexpr const char* kLoopback = "127.0.0.1";
constexpr int kKeepAliveRequests = 100000;

struct Options {
    int port = 0;
    int delayMs = 0;
    scanner::demo::DemoSiteOptions site;
};

bool ParseNumber(const char* text, long long low, long long high, long long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text, &end, 10);
    return errno == 0 && end != text && *end == '\0' && value >= low && value <= high;
}

bool ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc)
            return false;
        long long value = 0;
        const char* text = argv[++i];
        if (arg == "--port" && ParseNumber(text, 0, 65535, value))
            options.port = static_cast<int>(value);
        else if (arg == "--newest" && ParseNumber(text, 0, 99999999, value))
            options.site.newest = static_cast<int>(value);
        else if (arg == "--delay-ms" && ParseNumber(text, 0, 600000, value))
            options.delayMs = static_cast<int>(value);
        else if (arg == "--seed" && ParseNumber(text, 0, 0x7FFFFFFFFFFFFFFFll, value))
            options.site.seed = static_cast<std::uint64_t>(value);
        else
            return false;
    }
    return true;
}

void EndWithParent() {
    pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) // the parent was already gone before the request took effect
        std::_Exit(0);
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    Options options;
    if (!ParseArguments(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    EndWithParent();

    httplib::Server server;
    server.set_keep_alive_max_count(kKeepAliveRequests);
    server.set_tcp_nodelay(true); // headers and body leave at once, no delayed-ACK stalls
    server.Get(R"(/.*)", [&options](const httplib::Request& request, httplib::Response& response) {
        if (options.delayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(options.delayMs));
        scanner::demo::DemoResponse answer = scanner::demo::Respond(options.site, request.path);
        response.status = answer.status;
        if (!answer.location.empty())
            response.set_header("Location", answer.location);
        response.set_content(answer.body, "text/html; charset=utf-8");
    });

    int port = options.port;
    if (port == 0) {
        port = server.bind_to_any_port(kLoopback);
    } else if (!server.bind_to_port(kLoopback, port)) {
        port = -1;
    }
    if (port <= 0) {
        std::fprintf(stderr, "tovrin-demo-site: cannot listen on %s:%d\n", kLoopback, options.port);
        return 1;
    }
    std::printf("%d\n", port);
    std::fflush(stdout);
    return server.listen_after_bind() ? 0 : 1;
}
