#pragma once
#include <string>

// Start with the desktop session: an XDG autostart entry "mvtserver.desktop" in
// $XDG_CONFIG_HOME/autostart (~/.config/autostart when unset) whose Exec is the program.
namespace server {

std::string AutostartPath();
// Writes the entry; false when the folder or the file cannot be written.
bool WriteAutostart(const std::string& programPath);
// Removes the entry; a missing entry is no error.
bool RemoveAutostart();

} // namespace server
