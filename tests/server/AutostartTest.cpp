// The start with the desktop session: an XDG autostart entry written and removed.
#include <gtest/gtest.h>
#include <QProcess>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

#include "server/Autostart.h"
#include "support/TempFolder.h"

TEST(Autostart, TheEntryIsWrittenUnderTheConfigFolderAndRemoved) {
    TempFolder f;
    ::setenv("XDG_CONFIG_HOME", (f.path() + "/cfg").c_str(), 1);
    EXPECT_EQ(server::AutostartPath(), f.path() + "/cfg/autostart/mvtserver.desktop");
    EXPECT_TRUE(server::RemoveAutostart());  // none yet: no error
    ASSERT_TRUE(server::WriteAutostart("/opt/mvt server/mvtserver"));
    const std::string entry = f.read("cfg/autostart/mvtserver.desktop");
    EXPECT_NE(entry.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_EQ(entry.find('\r'), std::string::npos);
    EXPECT_NE(entry.find("Exec=\"/opt/mvt server/mvtserver\"\n"), std::string::npos);
    EXPECT_NE(entry.find("Path=/opt/mvt server\n"), std::string::npos);
    EXPECT_TRUE(server::RemoveAutostart());
    EXPECT_EQ(f.read("cfg/autostart/mvtserver.desktop"), "");
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST(Autostart, WithoutXdgConfigHomeTheHomeFolderIsUsedAndSpecialCharactersAreEscaped) {
    TempFolder f;
    ::unsetenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string kept = oldHome ? oldHome : "";
    ::setenv("HOME", f.path().c_str(), 1);
    ASSERT_TRUE(server::WriteAutostart("/x/$a\"b"));
    EXPECT_NE(f.read(".config/autostart/mvtserver.desktop").find("Exec=\"/x/\\\\$a\\\\\"b\""),
              std::string::npos);
    ::setenv("HOME", kept.c_str(), 1);
}

namespace {

// The Exec line as a desktop runs it: the file's string escapes first, then the arguments,
// each plain or in double quotes where a backslash keeps the next character.
std::vector<std::string> ExecArguments(const std::string& exec) {
    std::string line;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] == '\\' && i + 1 < exec.size() && exec[i + 1] == '\\') ++i;
        line.push_back(exec[i]);
    }
    std::vector<std::string> args;
    std::string arg;
    bool quoted = false, any = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '\\' && i + 1 < line.size()) {
            arg.push_back(line[++i]);
        } else if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any || !arg.empty()) args.push_back(arg);
            arg.clear();
            any = false;
        } else {
            arg.push_back(c);
        }
    }
    if (any || !arg.empty()) args.push_back(arg);
    return args;
}

std::string Value(const std::string& entry, const std::string& key) {
    const auto at = entry.find("\n" + key + "=");
    if (at == std::string::npos) return {};
    const auto from = at + key.size() + 2;
    return entry.substr(from, entry.find('\n', from) - from);
}

} // namespace

// The entry's command, run as the desktop runs it, starts the program in its own folder
// against the site it was written with, whatever the session's own environment says.
TEST(Autostart, TheEntryStartsTheProgramFromItsFolderAgainstTheSameSite) {
    TempFolder f;
    ::setenv("XDG_CONFIG_HOME", (f.path() + "/cfg").c_str(), 1);
    const std::string folder = f.path() + "/my $server \"one\"";
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const std::string program = folder + "/mvtserver";
    std::ofstream(program) << "#!/bin/sh\necho \"$MORVATEL_SITE_URL|$(pwd)\" > \"" << f.path() << "/ran\"\n";
    ::chmod(program.c_str(), 0755);
    const std::string site = "http://127.0.0.1:8123/a b&c/";
    ASSERT_TRUE(server::WriteAutostart(program, site));
    const std::string entry = f.read("cfg/autostart/mvtserver.desktop");
    const std::vector<std::string> args = ExecArguments(Value(entry, "Exec"));
    ASSERT_GE(args.size(), 1u);
    QProcess run;
    QStringList rest;
    for (std::size_t i = 1; i < args.size(); ++i) rest << QString::fromStdString(args[i]);
    run.setWorkingDirectory(QString::fromStdString(Value(entry, "Path")));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MORVATEL_SITE_URL", "http://elsewhere/");
    run.setProcessEnvironment(env);
    run.start(QString::fromStdString(args[0]), rest);
    ASSERT_TRUE(run.waitForFinished(10000));
    EXPECT_EQ(f.read("ran"), site + "|" + folder + "\n");
    ::unsetenv("XDG_CONFIG_HOME");
}
