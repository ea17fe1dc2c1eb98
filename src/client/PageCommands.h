#pragma once
#include <string>

#include "client/WebParts.h"

// The commands a page of the site gives through its document title: "Logging " logs the
// player in with a new nickname and password, "Downloading " fetches a file of the site
// into the program's folders. At most one command per loaded document: `titleArmed` is set
// when a document has loaded and cleared when a command runs.
namespace client {

void RunTitleCommand(const std::string& title, bool& titleArmed, WebBrowser& browser);

} // namespace client
