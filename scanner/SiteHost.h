// Where the site lives: one configuration value, HOST or HOST:PORT, taken from the
// --host option, else the environment variable TOVRIN_HOST, else the compiled-in default.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scanner {

// Set at configure time with -DTOVRIN_DEFAULT_HOST=...; the ".example" name reaches no real site.
std::string_view DefaultSiteHost();

// A host name or IPv4 address, optionally ":" and a port of 1 to 65535; no scheme, path,
// user or blanks (it is pasted into "http://" + host + "/" + number).
bool IsValidSiteHost(std::string_view host);

// commandLineHost, else TOVRIN_HOST when set and not empty, else DefaultSiteHost().
// Throws framework::Exception "Invalid site host '%s'" when the chosen value is not valid.
std::string ResolveSiteHost(const std::optional<std::string>& commandLineHost);

} // namespace scanner
