#pragma once
#include <string>

// Start with the desktop session: an XDG autostart entry "mvtserver.desktop" in
// $XDG_CONFIG_HOME/autostart (~/.config/autostart when unset), LF line ends, whose Exec
// starts the program from its own folder against the site it runs with now.
namespace server {

std::string AutostartPath();
// Writes the entry; siteUrl (empty: none) becomes the started program's MORVATEL_SITE_URL.
// False when the folder or the file cannot be written.
bool WriteAutostart(const std::string& programPath, const std::string& siteUrl = "");
// Removes the entry; a missing entry is no error.
bool RemoveAutostart();

} // namespace server
