#include <gtest/gtest.h>

#include <functional>

#include "lobby/Requests.h"
#include "lobby/Stamps.h"
#include "lobby/UrlEncode.h"

using namespace lobby;

namespace {

const std::string Base = "http://127.0.0.1:8080/all/";

// A player whose values hold no "&", "=" or "+": every request must then be exactly the
// whole address passed once through UrlEncode.
LobbyIdentity plainPlayer() {
    LobbyIdentity id;
    id.WebBaseUrl = Base;
    id.Surname = "Jos\xE9 Luis";
    id.NetPassword = "s3cr*t";
    id.CompetitionName = "Club A";
    id.LocalIPAddress = "192.168.1.20";
    id.ServerPort = 5000;
    return id;
}

struct RowCase {
    const char* row;
    std::function<std::string(const LobbyIdentity&)> build;
    std::string raw;  // the address as the request table writes it, before encoding
};

} // namespace

TEST(Requests, EveryRowIsTheWholeAddressEncodedOnce) {
    const LobbyIdentity id = plainPlayer();
    const std::string who = "wsurnom=Jos\xE9 Luis&wpassword=s3cr*t";
    const std::string p = Base + "page0.php?req=";
    const std::vector<RowCase> cases = {
        {"00 login check", [](const LobbyIdentity& i) { return LoginCheckRequest(i.WebBaseUrl, i.Surname, i.NetPassword, 7); },
         p + "00&" + who + "&iop=7"},
        {"01 log in as host", [](const LobbyIdentity& i) { return LoginRequest(i, true, "10/12/2026/14:25:36", 8); },
         p + "01&" + who + "&wnomcomp=Club A&wtype=Se&wetat=fr&wadIP=192.168.1.20&wport=5000&wdatetime=10/12/2026/14:25:36&iop=8"},
        {"01 log in as guest", [](const LobbyIdentity& i) { return LoginRequest(i, false, "d/t", 1); },
         p + "01&" + who + "&wnomcomp=Club A&wtype=Cl&wetat=fr&wadIP=192.168.1.20&wport=5000&wdatetime=d/t&iop=1"},
        {"02 leave with competition", [](const LobbyIdentity& i) { return LeaveCompetitionRequest(i, 9); },
         p + "02&" + who + "&wnomcomp=Club A&wadIP=192.168.1.20&wport=5000&iop=9"},
        {"02 leave", [](const LobbyIdentity& i) { return LeaveRequest(i, 9); },
         p + "02&" + who + "&wadIP=192.168.1.20&wport=5000&iop=9"},
        {"03 user list", [](const LobbyIdentity& i) { return UserListRequest(i, 10); },
         p + "03&wadIP=192.168.1.20&wport=5000&" + who + "&wnomcomp=Club A&iop=10"},
        {"04 private message", [](const LobbyIdentity& i) { return MessageRequest(i, MessageKind::Private, "10.0.0.2", 5001, " le 10/12/2026 \xE0 14:25:36", "Hi <you> #1 100%", 11); },
         p + "04&" + who + "&wtype=1&widsource=192.168.1.20&wportsource=5000&widdestin=10.0.0.2&wportdestin=5001&wdatetime= le 10/12/2026 \xE0 14:25:36&wdata=Hi <you> #1 100%&iop=11"},
        {"04 invitation", [](const LobbyIdentity& i) { return NoticeRequest(i, MessageKind::Invitation, "10.0.0.2", 5001, "on 10/12/2026 at 14:25:36", 12); },
         p + "04&" + who + "&wtype=2&widsource=192.168.1.20&wportsource=5000&widdestin=10.0.0.2&wportdestin=5001&wdatetime=on 10/12/2026 at 14:25:36&wdata=&iop=12"},
        {"04 refusal", [](const LobbyIdentity& i) { return NoticeRequest(i, MessageKind::Refusal, "10.0.0.2", 5001, "on x", 12); },
         p + "04&" + who + "&wtype=3&widsource=192.168.1.20&wportsource=5000&widdestin=10.0.0.2&wportdestin=5001&wdatetime=on x&wdata=&iop=12"},
        {"04 acceptance carries the addressee's address", [](const LobbyIdentity& i) { return NoticeRequest(i, MessageKind::Acceptance, "10.0.0.2", 5001, "on x", 12); },
         p + "04&" + who + "&wtype=4&widsource=192.168.1.20&wportsource=5000&widdestin=10.0.0.2&wportdestin=5001&wdatetime=on x&wdata=10.0.0.2&iop=12"},
        {"04 host's acknowledgement", [](const LobbyIdentity& i) { return NoticeRequest(i, MessageKind::HostAck, "10.0.0.2", 5001, "on x", 13); },
         p + "04&" + who + "&wtype=5&widsource=192.168.1.20&wportsource=5000&widdestin=10.0.0.2&wportdestin=5001&wdatetime=on x&wdata=&iop=13"},
        {"04 guest's acknowledgement", [](const LobbyIdentity& i) { return NoticeRequest(i, MessageKind::GuestAck, "10.0.0.2", 5001, "on x", 13); },
         p + "04&" + who + "&wtype=6&widsource=192.168.1.20&wportsource=5000&widdestin=10.0.0.2&wportdestin=5001&wdatetime=on x&wdata=&iop=13"},
        {"04 game start", [](const LobbyIdentity& i) { return NoticeRequest(i, MessageKind::GameStart, "10.0.0.2", 5001, "on x", 13); },
         p + "04&" + who + "&wtype=7&widsource=192.168.1.20&wportsource=5000&widdestin=10.0.0.2&wportdestin=5001&wdatetime=on x&wdata=&iop=13"},
        {"5 poll messages", [](const LobbyIdentity& i) { return PollMessagesRequest(i, 14); },
         p + "5&" + who + "&widsource=192.168.1.20&wportsource=5000&iop=14"},
        {"07 presence", [](const LobbyIdentity& i) { return PresenceRequest(i, 15); },
         p + "07&" + who + "&iop=15"},
        {"08 abandon", [](const LobbyIdentity& i) { return AbandonRequest(i, 16); },
         p + "08&" + who + "&wnomcomp=Club A&wadIP=192.168.1.20&wport=5000&wres=5&iop=16"},
        {"08 abandon on time-out", [](const LobbyIdentity& i) { return TimeOutAbandonRequest(i, 17); },
         p + "08&" + who + "&wnomcomp=Club A&wadIP=192.168.1.20&wres=5&iop=17"},
        {"08 result", [](const LobbyIdentity& i) { return ResultRequest(i, 3, 18); },
         p + "08&" + who + "&wnomcomp=Club A&wadIP=192.168.1.20&wres=3&iop=18"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.build(id), UrlEncode(c.raw)) << c.row;
}

TEST(Requests, BlanksAccentsAndMarksAreEncodedAsTheyTravel) {
    LobbyIdentity id = plainPlayer();
    EXPECT_EQ(LoginCheckRequest(Base, id.Surname, id.NetPassword, 1),
              "http://127.0.0.1:8080/all/page0.php?req=00&wsurnom=Jos%E9%20Luis&wpassword=s3cr%2At&iop=1");
    // The address's own ":", "/" and "?" are left alone; a base holding a blank is encoded.
    EXPECT_EQ(PresenceRequest({"http://h:81/my site/all/", "a", "b", "", "", 0}, 2),
              "http://h:81/my%20site/all/page0.php?req=07&wsurnom=a&wpassword=b&iop=2");
}

TEST(Requests, MarksInsideValuesCannotSplitTheQuery) {
    LobbyIdentity id = plainPlayer();
    id.Surname = "a=b";
    id.NetPassword = "p&w=1+2";
    id.CompetitionName = "C+C";
    EXPECT_EQ(ResultRequest(id, 0, 4),
              "http://127.0.0.1:8080/all/page0.php?req=08&wsurnom=a%3Db&wpassword=p%26w%3D1%2B2"
              "&wnomcomp=C%2BC&wadIP=192.168.1.20&wres=0&iop=4");
    // A message text that tries to carry a key of its own stays one value.
    const std::string url =
        MessageRequest(id, MessageKind::Private, "10.0.0.2", 1, "s", "x&iop=999&wtype=7", 5);
    EXPECT_NE(url.find("&wdata=x%26iop%3D999%26wtype%3D7&iop=5"), std::string::npos) << url;
    EXPECT_EQ(url.find("&iop=999"), std::string::npos);
    // An addressee's address read from a reply is a value like any other.
    EXPECT_NE(NoticeRequest(id, MessageKind::Acceptance, "1.2.3.4&wres=0", 1, "s", 6)
                  .find("&widdestin=1.2.3.4%26wres%3D0&"),
              std::string::npos);
}

TEST(Stamps, DateAndTimeInTheLocaleFormats) {
    const QDateTime at(QDate(2026, 12, 10), QTime(14, 5, 36));
    const QLocale fr(QLocale::French, QLocale::France);
    EXPECT_EQ(StampA(at, fr), "10/12/2026/14:05:36");
    EXPECT_EQ(StampB(at, fr), "on 10/12/2026 at 14:05:36");
    EXPECT_EQ(ComposerStamp(at, fr), " le 10/12/2026 \xE0 14:05:36");
    // Whatever the locale writes, a stamp is 8-bit text with no time zone in it.
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany), QLocale::system()}) {
        const std::string b = StampB(at, locale);
        EXPECT_EQ(b.rfind("on ", 0), 0u) << b;
        EXPECT_NE(b.find(" at "), std::string::npos) << b;
        EXPECT_NE(b.find("05"), std::string::npos) << b;
        EXPECT_NE(b.find("36"), std::string::npos) << b;
        EXPECT_EQ(b.find("UTC"), std::string::npos) << b;
        EXPECT_EQ(b.find('?'), std::string::npos) << b;
        EXPECT_NE(b.back(), ' ') << b;
    }
}
