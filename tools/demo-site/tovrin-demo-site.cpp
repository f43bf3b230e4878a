// tovrin-demo-site: the demo file-hosting site on loopback, for the scanner's tests, its
// benchmark and scripts/run. It ends when the process that started it ends. It can also
// misbehave as real sites do: answer 503 for some numbers, or die in the middle of a range.
#include "tools/demo-site/DemoPages.h"

#include <httplib.h>

#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <thread>

namespace {

constexpr const char* kUsage =
    "usage: tovrin-demo-site [--port P] [--address A] [--newest N] [--delay-ms D] [--seed S]\n"
    "                        [--unavailable N,...] [--unavailable-once N,...] [--die-at N]\n"
    "Serves a demo file-hosting site on loopback and prints the port it listens on.\n"
    "  --port P              the port (default 0: a free one); one in use is an error\n"
    "  --address A           the address to listen on (default 127.0.0.1; ::1 for IPv6)\n"
    "  --newest N            the newest file number, shown on /main (default 200)\n"
    "  --delay-ms D          wait D milliseconds before every answer (default 0)\n"
    "  --seed S              another seed gives other files (default 1)\n"
    "  --unavailable N,...   answer 503 Service Unavailable for these file numbers, always\n"
    "  --unavailable-once N,...  answer 503 the first time each of these numbers is asked for\n"
    "  --die-at N            end the whole site, without an answer, when number N is asked for\n"
    "It ends with the process that started it.\n";
constexpr const char* kLoopback = "127.0.0.1";
constexpr int kKeepAliveRequests = 100000;
constexpr int kUnavailableStatus = 503;
constexpr const char* kUnavailableBody = "<html><body><h1>503 Service Unavailable</h1></body></html>\n";
constexpr long long kHighestNumber = 99999999;

struct Options {
    int port = 0;
    std::string address = kLoopback;
    int delayMs = 0;
    scanner::demo::DemoSiteOptions site;
    std::set<long long> unavailable;
    std::set<long long> unavailableOnce;
    long long dieAt = -1;
};

bool ParseNumber(const char* text, long long low, long long high, long long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text, &end, 10);
    return errno == 0 && end != text && *end == '\0' && value >= low && value <= high;
}

// "7,9,12" into numbers.
bool ParseNumbers(const std::string& text, std::set<long long>& numbers) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        long long value = 0;
        if (!ParseNumber(text.substr(start, comma - start).c_str(), 1, kHighestNumber, value))
            return false;
        numbers.insert(value);
        start = comma + 1;
    }
    return true;
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
        else if (arg == "--address" && *text)
            options.address = text;
        else if (arg == "--newest" && ParseNumber(text, 0, kHighestNumber, value))
            options.site.newest = static_cast<int>(value);
        else if (arg == "--delay-ms" && ParseNumber(text, 0, 600000, value))
            options.delayMs = static_cast<int>(value);
        else if (arg == "--seed" && ParseNumber(text, 0, 0x7FFFFFFFFFFFFFFFll, value))
            options.site.seed = static_cast<std::uint64_t>(value);
        else if (arg == "--unavailable" && ParseNumbers(text, options.unavailable))
            continue;
        else if (arg == "--unavailable-once" && ParseNumbers(text, options.unavailableOnce))
            continue;
        else if (arg == "--die-at" && ParseNumber(text, 1, kHighestNumber, value))
            options.dieAt = value;
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

// Whether the answer for number is a 503: always for the unavailable numbers, the first time
// for the once-unavailable ones (requests come on several threads).
class Unavailability {
public:
    explicit Unavailability(const Options& options) : always_(options.unavailable), once_(options.unavailableOnce) {}
    bool Now(long long number) {
        if (always_.count(number))
            return true;
        std::lock_guard lock(mutex_);
        return once_.erase(number) > 0;
    }

private:
    const std::set<long long> always_;
    std::mutex mutex_;
    std::set<long long> once_;
};

// Lets a stopped site come back on its port at once, but never shares a port that a running
// server holds (httplib's default would also set SO_REUSEPORT, and two sites would take turns).
void ExclusivePortOptions(socket_t socket) {
    int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
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

    Unavailability unavailability(options);
    httplib::Server server;
    server.set_keep_alive_max_count(kKeepAliveRequests);
    server.set_tcp_nodelay(true); // headers and body leave at once, no delayed-ACK stalls
    server.set_socket_options(ExclusivePortOptions);
    server.Get(R"(/.*)", [&](const httplib::Request& request, httplib::Response& response) {
        if (options.delayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(options.delayMs));
        const long long number = scanner::demo::FileNumberIn(request.path);
        if (number > 0 && number == options.dieAt)
            std::_Exit(0); // the whole site goes, this request unanswered
        if (number > 0 && unavailability.Now(number)) {
            response.status = kUnavailableStatus;
            response.set_content(kUnavailableBody, "text/html; charset=utf-8");
            return;
        }
        scanner::demo::DemoResponse answer = scanner::demo::Respond(options.site, request.path);
        response.status = answer.status;
        if (!answer.location.empty())
            response.set_header("Location", answer.location);
        response.set_content(answer.body, "text/html; charset=utf-8");
    });

    int port = options.port;
    int error = 0;
    if (port == 0) {
        port = server.bind_to_any_port(options.address);
        error = errno;
    } else if (!server.bind_to_port(options.address, port)) {
        error = errno;
        port = -1;
    }
    if (port <= 0) {
        const bool inUse = error == EADDRINUSE;
        std::fprintf(stderr, "tovrin-demo-site: cannot listen on %s port %d: %s\n", options.address.c_str(), options.port,
                     inUse ? "the port is in use" : error ? std::strerror(error) : "the address cannot be bound");
        return 1;
    }
    std::printf("%d\n", port);
    std::fflush(stdout);
    return server.listen_after_bind() ? 0 : 1;
}
