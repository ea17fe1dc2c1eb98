#include "server/Autostart.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

namespace server {

namespace {

// The user's configuration folder as a model path; empty when Latin-1 cannot hold it.
std::string configHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string folder = xdg && *xdg == '/' ? xdg : std::string(home && *home ? home : ".") + "/.config";
    return platform::ModelPathOfName(folder).value_or(std::string());
}

// Exec quoting of the desktop entry format: the path in double quotes, with "\", '"', "`"
// and "$" escaped.
std::string execQuoted(const std::string& path) {
    std::string out = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += "\\\\";
        out.push_back(c);
    }
    return out + "\"";
}

} // namespace

std::string AutostartPath() { return configHome() + "/autostart/mvtserver.desktop"; }

bool WriteAutostart(const std::string& programPath, const std::string& siteUrl) {
    const std::string path = AutostartPath();
    if (configHome().empty() || !QDir().mkpath(platform::FileSystemPath(path.substr(0, path.rfind('/')))))
        return false;
    // A desktop entry names the program by its file-system name.
    const std::string exec = platform::OneLine(platform::FileSystemName(programPath));
    const std::string site = platform::OneLine(siteUrl);
    std::string command = execQuoted(exec);
    // The session has no MORVATEL_SITE_URL of the program's: the entry carries it.
    if (!site.empty()) command = "env " + execQuoted("MORVATEL_SITE_URL=" + site) + " " + command;
    const std::string folder = exec.find('/') == std::string::npos ? "." : exec.substr(0, exec.rfind('/'));
    return platform::WriteLinesAtomic(path,
                                      {"[Desktop Entry]", "Type=Application", "Name=MVT Server",
                                       "Exec=" + command, "Path=" + (folder.empty() ? "/" : folder),
                                       "X-GNOME-Autostart-enabled=true"},
                                      "\n");
}

bool RemoveAutostart() {
    QFile file(platform::FileSystemPath(AutostartPath()));
    return !file.exists() || file.remove();
}

} // namespace server
