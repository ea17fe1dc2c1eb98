#pragma once
#include <cstdlib>
#include <string>

// The web site's base address, read from MORVATEL_SITE_URL, with a built-in default for the
// stand-in site on this machine. Always ends with "/".
namespace platform {

inline std::string SiteBaseUrl() {
    const char* env = std::getenv("MORVATEL_SITE_URL");
    std::string base = env && *env ? env : "http://127.0.0.1:8080/";
    if (base.back() != '/') base += '/';
    return base;
}

} // namespace platform
