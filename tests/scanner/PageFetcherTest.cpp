// FetchPage over loopback: the demo site's pages, and small servers that deliver bodies in odd
// pieces, stall, break off, answer with failing statuses, or run on past the body cap; and the
// retries of a fetch that brought no page.
#include "tests/support/DemoSiteProcess.h"
#include "tools/demo-site/DemoPages.h"
#include "scanner/PageFetcher.h"

#include <httplib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <regex>
#include <set>
#include <thread>

namespace scanner {
namespace {

// What the reads of 4096 bytes counted from the first body byte give.
std::string ByReads(const std::string& body) {
    std::string out;
    for (std::size_t at = 0; at < body.size(); at += demo::kReadSize) {
        std::string read = body.substr(at, demo::kReadSize);
        out += read.substr(0, read.find('\0'));
    }
    return out;
}

struct Fetched {
    std::string body;
    std::string failure;
    std::vector<std::string> log;
};

Fetched Fetch(const std::string& address) {
    Fetched f;
    FetchedPage page = FetchPage(address, [&f](const std::string& line) { f.log.push_back(line); });
    f.body = page.body;
    f.failure = page.failure;
    return f;
}

void ExpectErrorLine(const std::string& line) {
    EXPECT_TRUE(std::regex_match(line, std::regex(R"(\d\d:\d\d:\d\d - .*[^ .\r\n])"))) << line;
}

class DemoSiteFetch : public ::testing::Test {
protected:
    static void SetUpTestSuite() { site_ = new testing_support::DemoSiteProcess({"--newest", "40", "--seed", "7"}); }
    static void TearDownTestSuite() { delete site_; }
    static std::string Address(const std::string& path) { return "http://" + site_->Host() + path; }
    static testing_support::DemoSiteProcess* site_;
    demo::DemoSiteOptions options_{40, 7};
};
testing_support::DemoSiteProcess* DemoSiteFetch::site_ = nullptr;

TEST_F(DemoSiteFetch, BodiesArriveWholeOrCutAtZeroBytesWithinTheirRead) {
    struct Case {
        const char* what;
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {"an ordinary 30 KB page", "/1", demo::FilePageBody(options_, 1)},
        {"a marker across a read boundary", "/3", demo::FilePageBody(options_, 3)},
        {"a zero byte drops the rest of its read only", "/5", ByReads(demo::FilePageBody(options_, 5))},
        {"a redirect is followed", "/10", demo::FilePageBody(options_, 10)},
        {"a 404 page is returned without an error line", "/41", demo::NotFoundBody()},
        {"the main page", "/main", demo::MainPageBody(options_)},
    };
    for (const Case& c : cases) {
        Fetched f = Fetch(Address(c.path));
        EXPECT_EQ(f.body, c.expected) << c.what;
        EXPECT_TRUE(f.log.empty()) << c.what;
        EXPECT_EQ(f.failure, "") << c.what;
    }
    std::string zeroPage = demo::FilePageBody(options_, 5);
    EXPECT_EQ(ByReads(zeroPage).size(), zeroPage.size() - (demo::kReadSize - demo::kZeroByteOffset));
}

TEST(DemoSite, ServesEveryPageKindAndTheNamesThatMatter) {
    demo::DemoSiteOptions options{200, 1};
    std::set<demo::DemoKind> kinds;
    bool severalDots = false, cyrillic = false, password = false, deletedWithoutName = false;
    for (int n = 1; n <= options.newest; ++n) {
        demo::DemoFile file = demo::FileAt(options, n);
        kinds.insert(file.kind);
        severalDots |= std::count(file.fileName.begin(), file.fileName.end(), '.') >= 2;
        cyrillic |= static_cast<unsigned char>(file.fileName[0]) >= 0xD0;
        password |= file.passwordForm;
        deletedWithoutName |= file.kind == demo::DemoKind::Deleted && !file.nameShown;
    }
    EXPECT_EQ(kinds.size(), 5u);
    EXPECT_TRUE(severalDots && cyrillic && password && deletedWithoutName);
    EXPECT_EQ(demo::FileAt(options, options.newest + 1).kind, demo::DemoKind::Missing);
    EXPECT_GT(demo::FilePageBody(options, 1).size(), 2 * demo::kReadSize);
}

TEST(FetchPage, UnreachableSiteIsAFailureWithOneErrorLineAndAnEmptyBody) {
    for (const char* address : {"http://127.0.0.1:1/5", "nonsense://x"}) {
        Fetched f = Fetch(address);
        EXPECT_TRUE(f.body.empty()) << address;
        ASSERT_EQ(f.log.size(), 1u) << address;
        ExpectErrorLine(f.log[0]);
        EXPECT_FALSE(f.failure.empty()) << address;
        EXPECT_EQ(FetchErrorMessage(f.log[0]), f.failure) << address;
    }
}

// A one-route server on a free loopback port, served from a thread.
class LocalServer {
public:
    explicit LocalServer(httplib::Server::Handler handler) {
        server_.Get("/p", std::move(handler));
        server_.set_keep_alive_max_count(1); // no idle connection holds up stop()
        server_.set_tcp_nodelay(true);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~LocalServer() {
        server_.stop();
        thread_.join();
    }
    std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/p"; }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

std::string BodyWithZeros(std::size_t size, std::vector<std::size_t> zeros) {
    std::string body;
    for (std::size_t i = 0; i < size; ++i)
        body += static_cast<char>('a' + i % 26);
    for (std::size_t at : zeros)
        body[at] = '\0';
    return body;
}

TEST(FetchPage, ReadsAreCountedFromTheFirstBodyByteWhateverPiecesArrive) {
    struct Case {
        const char* what;
        std::string body;
        std::vector<std::size_t> pieces; // sizes the server writes, repeated
    };
    const Case cases[] = {
        {"zero at 0 of the first read", BodyWithZeros(9000, {0}), {1000}},
        {"zero at 4095, the read's last byte", BodyWithZeros(9000, {4095}), {7, 4095}},
        {"zero at 4096 starts the second read", BodyWithZeros(9000, {4096}), {4097, 3}},
        {"two zeros in one read, one in the next", BodyWithZeros(12000, {10, 20, 5000}), {1}},
        {"zero in the short last read", BodyWithZeros(8200, {8195}), {13, 4096, 4099}},
        {"exactly two reads, no zero", BodyWithZeros(8192, {}), {333}},
    };
    for (const Case& c : cases) {
        LocalServer server([&c](const httplib::Request&, httplib::Response& response) {
            response.set_chunked_content_provider("text/html", [&c](std::size_t, httplib::DataSink& sink) {
                std::size_t at = 0;
                for (std::size_t k = 0; at < c.body.size(); ++k) {
                    std::size_t n = std::min(c.pieces[k % c.pieces.size()], c.body.size() - at);
                    sink.write(c.body.data() + at, n);
                    at += n;
                }
                sink.done();
                return true;
            });
        });
        Fetched f = Fetch(server.Address());
        EXPECT_EQ(f.body, ByReads(c.body)) << c.what;
        EXPECT_TRUE(f.log.empty()) << c.what;
    }
}

class ShortLimits : public ::testing::Test {
protected:
    void SetUp() override { saved_ = CurrentFetchLimits(); }
    void TearDown() override { CurrentFetchLimits() = saved_; }
    FetchLimits saved_;
};

TEST_F(ShortLimits, AStalledBodyIsAFailureWithAnErrorLine) {
    CurrentFetchLimits().readStall = std::chrono::seconds(1);
    std::atomic<bool> released{false};
    LocalServer server([&released](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider("text/html", [&released](std::size_t, httplib::DataSink& sink) {
            for (int i = 0; i < 200 && !released; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            return false;
        });
    });
    auto started = std::chrono::steady_clock::now();
    Fetched f = Fetch(server.Address());
    released = true;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4)); // the stall, not the server, ended it
    EXPECT_EQ(f.body, "");
    ASSERT_EQ(f.log.size(), 1u);
    ExpectErrorLine(f.log[0]);
    EXPECT_FALSE(f.failure.empty());
}

// A page asked for ahead that the walk no longer wants: its transfer ends soon after abandon is
// set, from a site that sends nothing and from one in the middle of a body, long before the
// site or the stall limit would end it.
TEST(FetchPage, AnAbandonedFetchEndsSoonWithoutAPage) {
    for (bool bodyStarted : {false, true}) {
        std::atomic<bool> released{false};
        LocalServer server([&](const httplib::Request&, httplib::Response& response) {
            response.set_chunked_content_provider("text/html", [&](std::size_t, httplib::DataSink& sink) {
                if (bodyStarted)
                    sink.write("<html>the start", 15);
                for (int i = 0; i < 400 && !released; ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                return false;
            });
        });
        std::atomic<bool> abandon{false};
        std::vector<std::string> log;
        const auto started = std::chrono::steady_clock::now();
        std::thread stopper([&abandon] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            abandon = true;
        });
        FetchedPage page = FetchPage(server.Address(), [&log](const std::string& line) { log.push_back(line); }, abandon);
        const auto took = std::chrono::steady_clock::now() - started;
        released = true;
        stopper.join();
        EXPECT_LT(took, std::chrono::seconds(5)) << "body started: " << bodyStarted; // the site would hold it 20 s
        EXPECT_TRUE(page.Failed()) << "body started: " << bodyStarted;
        EXPECT_EQ(log.size(), 1u) << "body started: " << bodyStarted;
    }
}

TEST_F(ShortLimits, ABodyPastTheCapEndsWithAnErrorLineAndTheCappedBody) {
    CurrentFetchLimits().bodyCap = 10000;
    std::string body = BodyWithZeros(30000, {});
    LocalServer server([&body](const httplib::Request&, httplib::Response& response) { response.set_content(body, "text/html"); });
    Fetched f = Fetch(server.Address());
    EXPECT_EQ(f.body, body.substr(0, 10000));
    ASSERT_EQ(f.log.size(), 1u);
    ExpectErrorLine(f.log[0]);
    EXPECT_EQ(f.failure, ""); // the site answered; the rest was declined
}

// A 5xx or 429 answer is the site failing, told in its error line; any other status is a page,
// whose body the parser judges.
TEST(FetchPage, ServerErrorsAndTooManyRequestsAreFailuresOtherStatusesArePages) {
    struct Case {
        int status;
        const char* failure; // "" for a page
    };
    const Case cases[] = {
        {500, "The server answered 500 Internal Server Error"}, {502, "The server answered 502 Bad Gateway"},
        {503, "The server answered 503 Service Unavailable"},   {429, "The server answered 429 Too Many Requests"},
        {404, ""}, {403, ""}, {410, ""}, {200, ""},
    };
    for (const Case& c : cases) {
        LocalServer server([&c](const httplib::Request&, httplib::Response& response) {
            response.status = c.status;
            response.set_content("<h1>body of " + std::to_string(c.status) + "</h1>", "text/html");
        });
        Fetched f = Fetch(server.Address());
        EXPECT_EQ(f.failure, c.failure) << c.status;
        EXPECT_EQ(f.body, "<h1>body of " + std::to_string(c.status) + "</h1>") << c.status;
        ASSERT_EQ(f.log.size(), *c.failure ? 1u : 0u) << c.status;
        if (*c.failure) {
            EXPECT_EQ(FetchErrorMessage(f.log[0]), c.failure);
        }
    }
}

TEST(FetchPage, AnAnswerThatBreaksOffIsAFailure) {
    LocalServer server([](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider("text/html", [](std::size_t, httplib::DataSink& sink) {
            sink.write("<html>the start of a page", 25);
            return false; // the connection goes without the end of the body
        });
    });
    Fetched f = Fetch(server.Address());
    EXPECT_FALSE(f.failure.empty());
    ASSERT_EQ(f.log.size(), 1u);
    ExpectErrorLine(f.log[0]);
}

// A site that fails the first `failures` times it is asked, then answers.
TEST(FetchPageRetrying, TriesAgainAfterThePauseAndLogsOnlyTheLastTry) {
    struct Case {
        const char* what;
        int failures;
        int retries;
        bool failed;
        std::size_t waits;
        std::size_t lines;
    };
    const Case cases[] = {
        {"answers at once", 0, 1, false, 0, 0},
        {"a failure that the retry mends leaves no line", 1, 1, false, 1, 0},
        {"failing on: one line, of the last try", 5, 1, true, 1, 1},
        {"no retries", 1, 0, true, 0, 1},
        {"three retries mend two failures", 2, 3, false, 2, 0},
    };
    for (const Case& c : cases) {
        std::atomic<int> asked{0};
        LocalServer server([&](const httplib::Request&, httplib::Response& response) {
            const bool fail = asked.fetch_add(1) < c.failures;
            response.status = fail ? 503 : 200;
            response.set_content(fail ? "busy" : "page", "text/html");
        });
        std::vector<std::string> log;
        std::vector<std::chrono::milliseconds> waits;
        const RetryPolicy policy{c.retries, std::chrono::milliseconds(1234)};
        FetchedPage page = FetchPageRetrying(
            server.Address(), [&log](const std::string& line) { log.push_back(line); }, policy,
            [&waits](std::chrono::milliseconds delay) { waits.push_back(delay); });
        EXPECT_EQ(page.Failed(), c.failed) << c.what;
        EXPECT_EQ(page.body, c.failed ? "busy" : "page") << c.what;
        EXPECT_EQ(waits, std::vector<std::chrono::milliseconds>(c.waits, policy.delay)) << c.what;
        EXPECT_EQ(log.size(), c.lines) << c.what;
        EXPECT_EQ(asked.load(), static_cast<int>(c.waits) + 1) << c.what;
    }
}

TEST(FetchErrorLine, TrimsTrailingControlCharactersSpacesAndFullStops) {
    std::string line = FetchErrorLine("Couldn't connect to server. \r\n.");
    EXPECT_TRUE(std::regex_match(line, std::regex(R"(\d\d:\d\d:\d\d - Couldn't connect to server)"))) << line;
    EXPECT_TRUE(std::regex_match(FetchErrorLine(" ..."), std::regex(R"(\d\d:\d\d:\d\d - )")));
}

} // namespace
} // namespace scanner
