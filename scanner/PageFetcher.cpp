// FetchPage over libcurl: a fresh easy handle per call, open connections kept in one
// process-wide share (the platform client's connection pool), the body cut into 4096-byte reads.
#include "scanner/PageFetcher.h"

#include "framework/base/Cp1251.h"

#include <curl/curl.h>

#include <array>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>

namespace scanner {
namespace {

constexpr std::size_t kReadSize = 4096;
constexpr long kMaxRedirects = 10;
constexpr long kStallBytesPerSecond = 1;
constexpr const char* kUserAgent = "Mozilla/5.0 (compatible; Googlebot/2.1; +http://tovrin.example/crawler.html)";

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
    std::size_t positionInRead = 0;
    bool zeroSeenInRead = false;
    std::size_t received = 0;
    std::size_t cap = 0;
    bool capReached = false;

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

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

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

std::string FetchErrorLine(const std::string& message) { return LongTimeText() + " - " + TrimMessage(message); }

std::string FetchPage(const std::string& address, const LogSink& log) {
    std::string body;
    const FetchLimits& limits = CurrentFetchLimits();
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy) {
        log(FetchErrorLine("Cannot create an HTTP request"));
        return body;
    }
    char errorText[CURL_ERROR_SIZE] = {};
    BodyCollector collector;
    collector.body = &body;
    collector.cap = limits.bodyCap;
    CURL* h = easy.get();
    curl_easy_setopt(h, CURLOPT_SHARE, Pool().share());
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
    CURLcode result = curl_easy_perform(h);
    if (collector.capReached) {
        log(FetchErrorLine("The page is larger than " + std::to_string(limits.bodyCap) + " bytes; the rest was not read"));
    } else if (result != CURLE_OK) {
        std::string message = errorText[0] ? errorText : curl_easy_strerror(result);
        log(FetchErrorLine(framework::Utf8ToCp1251(message)));
    }
    return body;
}

} // namespace scanner
