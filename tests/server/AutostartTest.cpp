// The start with the desktop session: an XDG autostart entry written and removed.
#include <gtest/gtest.h>
#include <cstdlib>

#include "server/Autostart.h"
#include "support/TempFolder.h"

TEST(Autostart, TheEntryIsWrittenUnderTheConfigFolderAndRemoved) {
    TempFolder f;
    ::setenv("XDG_CONFIG_HOME", (f.path() + "/cfg").c_str(), 1);
    EXPECT_EQ(server::AutostartPath(), f.path() + "/cfg/autostart/mvtserver.desktop");
    EXPECT_TRUE(server::RemoveAutostart());  // none yet: no error
    ASSERT_TRUE(server::WriteAutostart("/opt/mvt server/mvtserver"));
    const std::string entry = f.read("cfg/autostart/mvtserver.desktop");
    EXPECT_NE(entry.find("[Desktop Entry]\r\n"), std::string::npos);
    EXPECT_NE(entry.find("Exec=\"/opt/mvt server/mvtserver\"\r\n"), std::string::npos);
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
