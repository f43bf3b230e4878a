// The site host setting and its validation.
#include "scanner/SiteHost.h"

#include "framework/base/SysUtils.h"

#include <cstdlib>

#ifndef TOVRIN_DEFAULT_HOST
#define TOVRIN_DEFAULT_HOST "files.tovrin.example"
#endif

namespace scanner {
namespace {
constexpr int kHighestPort = 65535;

bool IsHostNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
} // namespace

std::string_view DefaultSiteHost() { return TOVRIN_DEFAULT_HOST; }

bool IsValidSiteHost(std::string_view host) {
    std::string_view name = host;
    std::size_t colon = host.rfind(':');
    if (colon != std::string_view::npos) {
        name = host.substr(0, colon);
        std::string_view port = host.substr(colon + 1);
        if (port.empty() || port.size() > 5)
            return false;
        int value = 0;
        for (char c : port) {
            if (c < '0' || c > '9')
                return false;
            value = value * 10 + (c - '0');
        }
        if (value < 1 || value > kHighestPort)
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
    if (!IsValidSiteHost(host))
        throw framework::Exception("Invalid site host '" + host + "'");
    return host;
}

} // namespace scanner
