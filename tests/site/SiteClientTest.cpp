// The programs' own HTTP component and request builder against the running stand-in site:
// what the site answers is what Qt's HTTP stack delivers.
#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "lobby/Requests.h"
#include "platform/HttpComponent.h"
#include "support/StandInSite.h"

namespace {

// The body of one GET through the component, or "FAILED: reason".
std::string Fetch(platform::HttpComponent& http, const std::string& url) {
    QSignalSpy success(&http, &platform::HttpComponent::Success);
    QSignalSpy failure(&http, &platform::HttpComponent::Failure);
    if (!http.Get(url)) return "FAILED: not started";
    for (int i = 0; i < 100 && success.isEmpty() && failure.isEmpty(); ++i) success.wait(100);
    if (!failure.isEmpty()) return "FAILED: " + failure.first().first().toString().toStdString();
    if (success.isEmpty()) return "FAILED: no answer";
    return success.first().first().toByteArray().toStdString();
}

class SiteClient : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(site.Start()) << site.ErrorOutput().toStdString(); }
    std::string Lobby() const { return site.Url() + "all/"; }
    StandInSite site;
    platform::HttpComponent http{QStringLiteral("NMHTTP0")};
};

TEST_F(SiteClient, AnAccountIsTakenOnFirstUseWithAPasswordHoldingQuerySigns) {
    const std::string password = "a&b=c+d \xE9";
    EXPECT_EQ(Fetch(http, lobby::LoginCheckRequest(Lobby(), "Zo\xE9 Q", password, 1)),
              "*00:[Free Play;0][Tournoi d'\xE9t\xE9;0][Weekly Tournament;1][World Cup;2]*");
    EXPECT_EQ(http.LocalAddress(), "127.0.0.1");
    struct Case { const char* name; std::string password; const char* reply; };
    const Case cases[] = {
        {"the same password", password, "*00:"},
        {"the password cut at its ampersand", "a", "*rj:id**"},
        {"a plus taken as a blank", "a&b=c d \xE9", "*rj:id**"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string reply = Fetch(http, lobby::LoginCheckRequest(Lobby(), "Zo\xE9 Q", c.password, 2));
        EXPECT_EQ(reply.substr(0, std::string(c.reply).size()), c.reply) << reply;
    }
}

TEST_F(SiteClient, PagesAndArchivesArriveWhole) {
    EXPECT_NE(Fetch(http, site.Url() + "pub/index.php?lang=us").find("<title>MORVATEL 3.0.3</title>"),
              std::string::npos);
    const std::string archive = Fetch(http, site.Url() + "files/themes/sunset.zip");
    ASSERT_GT(archive.size(), 22u) << archive;
    EXPECT_EQ(archive.substr(0, 4), "PK\x03\x04");
    EXPECT_EQ(archive.substr(archive.size() - 22, 4), "PK\x05\x06");  // the zip directory's end
    EXPECT_EQ(Fetch(http, site.Url() + "files/../README.md").substr(0, 7), "FAILED:");
}

} // namespace
