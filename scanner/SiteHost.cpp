// The site host setting and its validation.
#include "scanner/SiteHost.h"

#include "framework/base/SysUtils.h"

#include <algorithm>
#include <cstdlib>

#ifndef TOVRIN_DEFAULT_HOST
#define TOVRIN_DEFAULT_HOST "files.tovrin.example"
#endif

namespace scanner {
namespace {
constexpr int kHighestPort = 65535;
constexpr std::size_t kMaxPortDigits = 5;
constexpr std::string_view kHttpScheme = "http://";

bool IsHostNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// The characters of an IPv6 address (an IPv4 tail included), no zone.
bool IsIpv6Character(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' || c == '.';
}

bool IsValidPort(std::string_view port) {
    if (port.empty() || port.size() > kMaxPortDigits)
        return false;
    int value = 0;
    for (char c : port) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= kHighestPort;
}

bool IsValidIpv6Literal(std::string_view host) {
    const std::size_t close = host.find(']');
    if (host.front() != '[' || close == std::string_view::npos)
        return false;
    const std::string_view address = host.substr(1, close - 1);
    const std::string_view rest = host.substr(close + 1);
    if (address.find(':') == std::string_view::npos)
        return false;
    for (char c : address)
        if (!IsIpv6Character(c))
            return false;
    return rest.empty() || (rest.front() == ':' && IsValidPort(rest.substr(1)));
}

// "http://HOST[:PORT]" with or without a path gives HOST[:PORT]; anything else stays as it is.
std::string WithoutHttpScheme(const std::string& value) {
    if (value.size() < kHttpScheme.size() ||
        !std::equal(kHttpScheme.begin(), kHttpScheme.end(), value.begin(),
                    [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? char(b - 'A' + 'a') : b); }))
        return value;
    const std::string rest = value.substr(kHttpScheme.size());
    return rest.substr(0, rest.find_first_of("/?#"));
}
} // namespace

std::string_view DefaultSiteHost() { return TOVRIN_DEFAULT_HOST; }

bool IsValidSiteHost(std::string_view host) {
    if (!host.empty() && host.front() == '[')
        return IsValidIpv6Literal(host);
    std::string_view name = host;
    std::size_t colon = host.rfind(':');
    if (colon != std::string_view::npos) {
        name = host.substr(0, colon);
        if (!IsValidPort(host.substr(colon + 1)))
            return false;
    }
    if (name.empty() || name.front() == '.' || name.front() == '-')
        return false;
    for (char c : name)
        if (!IsHostNameCharacter(c))
            return false;
    return true;
}

std::string ResolveSiteHost(const std::optional<std::string>& commandLineHost) {
    std::string host;
    if (commandLineHost)
        host = *commandLineHost;
    else if (const char* fromEnvironment = std::getenv("TOVRIN_HOST"); fromEnvironment && *fromEnvironment)
        host = fromEnvironment;
    else
        host = DefaultSiteHost();
    const std::string siteHost = WithoutHttpScheme(host);
    if (!IsValidSiteHost(siteHost))
        throw framework::Exception("Invalid site host '" + host + "'");
    return siteHost;
}

std::string PageAddress(const std::string& host, int number) {
    return std::string(kHttpScheme) + host + "/" + framework::IntToStr(number);
}

} // namespace scanner
