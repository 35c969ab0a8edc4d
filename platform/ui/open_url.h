#pragma once

// Hands an address to the user's web browser. Tests intercept it so that no
// browser is ever started.

#include <functional>
#include <string>

namespace corvane {

// The address is Windows-1252 text. Returns whether the desktop took it.
using UrlOpener = std::function<bool(const std::string&)>;

bool OpenUrl(const std::string& url);

// Installs an interceptor (an empty one restores the desktop's browser) and
// returns the one it replaces.
UrlOpener SetUrlOpener(UrlOpener opener);

}  // namespace corvane
