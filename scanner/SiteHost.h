// Where the site lives: one configuration value, HOST or HOST:PORT, taken from the
// --host option, else the environment variable TOVRIN_HOST, else the compiled-in default.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scanner {

// Set at configure time with -DTOVRIN_DEFAULT_HOST=...; the ".example" name reaches no real site.
std::string_view DefaultSiteHost();

// A host name, an IPv4 address or a bracketed IPv6 address ("[::1]"), optionally ":" and a
// port of 1 to 65535; no scheme, path, user or blanks (it is pasted into
// "http://" + host + "/" + number).
bool IsValidSiteHost(std::string_view host);

// commandLineHost, else TOVRIN_HOST when set and not empty, else DefaultSiteHost(). A value
// given as an address, "http://HOST[:PORT]" with or without a path after it, gives its
// HOST[:PORT]. Throws framework::Exception "Invalid site host '%s'" when the chosen value is
// not valid (an "https://" address among them: the site is read over plain HTTP).
std::string ResolveSiteHost(const std::optional<std::string>& commandLineHost);

// "http://" + host + "/" + number: the address of a file page.
std::string PageAddress(const std::string& host, int number);

} // namespace scanner
