// FetchPage over libcurl: one easy handle per thread, used again for every call (a fresh one per
// page cost a good part of a page's time on a fast site), open connections kept in one
// process-wide share (the platform client's connection pool), the body cut into 4096-byte reads,
// the answer's status line kept to tell a page from a site that is failing.
#include "scanner/PageFetcher.h"

#include "framework/base/Cp1251.h"

#include <curl/curl.h>

#include <array>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

namespace scanner {
namespace {

constexpr std::size_t kReadSize = 4096;
constexpr long kMaxRedirects = 10;
constexpr long kStallBytesPerSecond = 1;
constexpr const char* kUserAgent = "Mozilla/5.0 (compatible; Googlebot/2.1; +http://tovrin.example/crawler.html)";
constexpr long kTooManyRequests = 429;
constexpr long kFirstServerError = 500;
constexpr long kLastServerError = 599;
constexpr std::string_view kErrorLineSeparator = " - ";

// A server error or "too many requests" is the site failing, not a page of it.
bool IsFailingStatus(long status) {
    return status == kTooManyRequests || (status >= kFirstServerError && status <= kLastServerError);
}

// The pool of open connections that every call may reuse, as the platform's client has one.
class ConnectionPool {
public:
    ConnectionPool() {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        share_ = curl_share_init();
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
        curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &Lock);
        curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &Unlock);
        curl_share_setopt(share_, CURLSHOPT_USERDATA, this);
    }
    ~ConnectionPool() { curl_share_cleanup(share_); }
    CURLSH* share() const { return share_; }

private:
    // libcurl takes the locks of different data nested, so each kind has its own.
    static std::mutex& MutexOf(void* self, curl_lock_data data) {
        return static_cast<ConnectionPool*>(self)->mutexes_[static_cast<std::size_t>(data) % kLockKinds];
    }
    static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* self) { MutexOf(self, data).lock(); }
    static void Unlock(CURL*, curl_lock_data data, void* self) { MutexOf(self, data).unlock(); }
    static constexpr std::size_t kLockKinds = CURL_LOCK_DATA_LAST;
    CURLSH* share_ = nullptr;
    std::array<std::mutex, kLockKinds> mutexes_;
};

ConnectionPool& Pool() {
    static ConnectionPool pool;
    return pool;
}

// Collects the body as the reads of kReadSize bytes counted from its first byte would give it:
// within one read, bytes after a zero byte are dropped.
struct BodyCollector {
    std::string* body = nullptr;
    CURL* easy = nullptr; // asked for the announced length once, so that the body grows once
    std::size_t positionInRead = 0;
    bool zeroSeenInRead = false;
    std::size_t received = 0;
    std::size_t cap = 0;
    bool capReached = false;

    // Room for the length the answer announces, up to the cap: a body that grows by doubling is
    // copied several times over. An answer that lies about its length costs nothing but this.
    void ReserveAnnounced() {
        curl_off_t announced = -1;
        if (easy && curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) == CURLE_OK && announced > 0)
            body->reserve(std::min(static_cast<std::size_t>(announced), cap));
    }

    void Take(const char* data, std::size_t size) {
        while (size > 0) {
            std::size_t span = std::min(size, kReadSize - positionInRead);
            if (!zeroSeenInRead) {
                const void* zero = std::memchr(data, 0, span);
                std::size_t kept = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - data) : span;
                body->append(data, kept);
                zeroSeenInRead = zero != nullptr;
            }
            data += span;
            size -= span;
            positionInRead += span;
            if (positionInRead == kReadSize) {
                positionInRead = 0;
                zeroSeenInRead = false;
            }
        }
    }

    static std::size_t Write(char* data, std::size_t, std::size_t size, void* self) {
        auto* collector = static_cast<BodyCollector*>(self);
        if (collector->received == 0 && collector->body->empty())
            collector->ReserveAnnounced();
        std::size_t room = collector->cap - collector->received;
        std::size_t taken = std::min(size, room);
        collector->Take(data, taken);
        collector->received += taken;
        if (taken < size) {
            collector->capReached = true;
            return 0; // ends the transfer
        }
        return size;
    }
};

// Keeps the status line of the last answer ("HTTP/1.1 503 Service Unavailable"); a redirect
// followed brings a new one.
struct StatusLine {
    std::string text;

    static std::size_t Header(char* data, std::size_t, std::size_t size, void* self) {
        std::string_view line(data, size);
        if (line.rfind("HTTP/", 0) == 0) {
            while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
                line.remove_suffix(1);
            static_cast<StatusLine*>(self)->text = line;
        }
        return size;
    }

    // "503 Service Unavailable", or the code alone when the line has no reason phrase.
    std::string CodeAndReason(long status) const {
        std::size_t space = text.find(' ');
        return space == std::string::npos ? std::to_string(status) : text.substr(space + 1);
    }
};

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

// This thread's easy handle, joined to the pool; nullptr when libcurl cannot make one. Every
// call sets all the options it relies on, and each transfer starts afresh: a handle keeps
// nothing between transfers that the options here enable (no cookies, referer or credentials).
CURL* ThreadHandle() {
    thread_local const std::unique_ptr<CURL, EasyDeleter> easy = [] {
        std::unique_ptr<CURL, EasyDeleter> made(curl_easy_init());
        if (made)
            curl_easy_setopt(made.get(), CURLOPT_SHARE, Pool().share());
        return made;
    }();
    return easy.get();
}

std::string TrimMessage(std::string message) {
    while (!message.empty()) {
        unsigned char last = static_cast<unsigned char>(message.back());
        if (last <= ' ' || last == '.' || last == 0x7F)
            message.pop_back();
        else
            break;
    }
    return message;
}

std::string LongTimeText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64] = {};
    std::strftime(text, sizeof text, "%X", &local);
    return framework::Utf8ToCp1251(text);
}

} // namespace

FetchLimits& CurrentFetchLimits() {
    static FetchLimits limits;
    return limits;
}

std::string FetchErrorLine(const std::string& message) { return LongTimeText() + std::string(kErrorLineSeparator) + TrimMessage(message); }

std::string FetchErrorMessage(const std::string& line) {
    std::size_t separator = line.find(kErrorLineSeparator);
    return separator == std::string::npos ? line : line.substr(separator + kErrorLineSeparator.size());
}

namespace {

// Asked by libcurl every now and then during a transfer: non-zero ends it.
int AbandonedTransfer(void* abandon, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<const std::atomic<bool>*>(abandon)->load(std::memory_order_relaxed) ? 1 : 0;
}

FetchedPage Fetch(const std::string& address, const LogSink& log, const std::atomic<bool>* abandon) {
    FetchedPage fetched;
    auto fail = [&](const std::string& message) {
        fetched.failure = TrimMessage(message);
        log(FetchErrorLine(message));
    };
    const FetchLimits& limits = CurrentFetchLimits();
    CURL* h = ThreadHandle();
    if (!h) {
        fail("Cannot create an HTTP request");
        return fetched;
    }
    char errorText[CURL_ERROR_SIZE] = {};
    BodyCollector collector;
    collector.body = &fetched.body;
    collector.easy = h;
    collector.cap = limits.bodyCap;
    StatusLine statusLine;
    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, static_cast<long>(limits.connectTimeout.count()));
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, kStallBytesPerSecond);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits.readStall.count()));
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &BodyCollector::Write);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &collector);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &StatusLine::Header);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &statusLine);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, abandon ? 0L : 1L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, abandon ? &AbandonedTransfer : nullptr);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(abandon));
    CURLcode result = curl_easy_perform(h);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, nullptr); // the buffer ends with this call; the handle does not
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    if (collector.capReached) {
        // The site answered; the program declined the rest, so what came is the page.
        log(FetchErrorLine("The page is larger than " + std::to_string(limits.bodyCap) + " bytes; the rest was not read"));
    } else if (result != CURLE_OK) {
        fail(framework::Utf8ToCp1251(errorText[0] ? errorText : curl_easy_strerror(result)));
    } else if (IsFailingStatus(status)) {
        fail(framework::Utf8ToCp1251("The server answered " + statusLine.CodeAndReason(status)));
    }
    return fetched;
}

} // namespace

FetchedPage FetchPage(const std::string& address, const LogSink& log) { return Fetch(address, log, nullptr); }

FetchedPage FetchPage(const std::string& address, const LogSink& log, const std::atomic<bool>& abandon) {
    return Fetch(address, log, &abandon);
}

FetchedPage FetchPageRetrying(const std::string& address, const LogSink& log, const RetryPolicy& policy,
                              const std::function<void(std::chrono::milliseconds)>& wait) {
    return FetchRetrying([&address](const LogSink& tryLog) { return FetchPage(address, tryLog); }, log, policy, wait);
}

FetchedPage FetchRetrying(const FetchTry& tryOnce, const LogSink& log, const RetryPolicy& policy,
                          const std::function<void(std::chrono::milliseconds)>& wait) {
    for (int attempt = 0;; ++attempt) {
        const bool last = attempt >= policy.retries;
        std::vector<std::string> lines;
        FetchedPage fetched = tryOnce([&](const std::string& line) {
            if (last)
                log(line);
            else
                lines.push_back(line);
        });
        if (!fetched.Failed() || last) {
            if (!last)
                for (const std::string& line : lines)
                    log(line);
            return fetched;
        }
        wait(policy.delay);
    }
}

} // namespace scanner
