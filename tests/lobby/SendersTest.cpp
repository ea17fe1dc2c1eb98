#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>
#include <vector>

#include "lobby/RequestMaker.h"
#include "lobby/Senders.h"
#include "support/TestHttpServer.h"
#include "support/TinyProxy.h"

using namespace lobby;
using Response = TestHttpServer::Response;

namespace {

bool waitFor(const std::function<bool()>& done, int ms = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// Every event the senders raised, in order.
struct Events {
    explicit Events(Senders& s) {
        QObject::connect(&s, &Senders::Replied, [this](int code, const QByteArray& body) {
            replies.push_back({code, body.toStdString()});
        });
        QObject::connect(&s, &Senders::Failed, [this](int code, const QString& reason) {
            failures.push_back({code, reason.toStdString()});
        });
    }
    size_t count() const { return replies.size() + failures.size(); }
    std::vector<std::pair<int, std::string>> replies, failures;
};

LobbyIdentity player(const std::string& siteUrl) {
    return {siteUrl + "all/", "Jos\xE9 Luis", "p&w=1+2", "Club A", "127.0.0.1", 5000};
}

} // namespace

TEST(Senders, EachCodeHasItsNamedComponent) {
    Senders senders;
    for (int code : Senders::Codes)
        EXPECT_EQ(senders.Component(code).objectName(), QStringLiteral("NMHTTP%1").arg(code));
    EXPECT_FALSE(senders.Send(6, "http://127.0.0.1/")) << "there is no NMHTTP6";
    EXPECT_FALSE(senders.Send(1, "not an address"));
    EXPECT_FALSE(senders.Busy(1));
    // The process's own set is one object, owned by the application.
    EXPECT_EQ(&AppSenders(), &AppSenders());
    EXPECT_EQ(AppSenders().parent(), QCoreApplication::instance());
}

TEST(Senders, ARequestTravelsAsEncodedAndItsReplyComesBackWithItsCode) {
    TestHttpServer site([](const std::string& line) {
        return TestHttpServer::Answer(line.find("req=03") != std::string::npos ? "*03:*" : "*05:*");
    });
    Senders senders;
    Events events(senders);
    const LobbyIdentity id = player(site.Url());
    Counters counters;
    RequestMaker make(id, counters);
    const std::string url = make.UserList();
    ASSERT_TRUE(senders.Send(3, url));
    ASSERT_TRUE(waitFor([&] { return events.count() == 1; }));
    ASSERT_EQ(events.replies.size(), 1u);
    EXPECT_EQ(events.replies[0], (std::pair<int, std::string>{3, "*03:*"}));
    // The bytes on the wire are the encoded address, not re-encoded or decoded on the way.
    ASSERT_EQ(site.RequestLines().size(), 1u);
    EXPECT_EQ("http://127.0.0.1:" + std::to_string(site.Port()) +
                  site.RequestLines()[0].substr(4, site.RequestLines()[0].size() - 13),
              url);
    EXPECT_NE(url.find("wsurnom=Jos%E9%20Luis&wpassword=p%26w%3D1%2B2&"), std::string::npos);
    EXPECT_EQ(senders.Component(3).Body().toStdString(), "*03:*");
}

TEST(Senders, TheLocalAddressIsKnownBeforeTheFirstRequest) {
    Senders senders;
    EXPECT_EQ(senders.LocalIPAddress("http://127.0.0.1:8080/all/"), "127.0.0.1");
    EXPECT_EQ(senders.LocalIPAddress("http://localhost:8080/all/"), "127.0.0.1");
    EXPECT_EQ(senders.LocalIPAddress("not an address"), "");
}

TEST(Senders, EveryFailureReachesTheOneFailureEvent) {
    int closedPort;
    {
        TestHttpServer gone([](const std::string&) { return Response{}; });
        closedPort = gone.Port();
    }
    TestHttpServer site([](const std::string& line) {
        if (line.find("req=08") != std::string::npos) return Response{{TestHttpServer::Reply("oops", 500)}, 0, false};
        return TestHttpServer::Answer(std::string(5000, 'x'));
    });
    Senders senders;
    Events events(senders);
    senders.Component(7).SetMaxBody(1000);
    ASSERT_TRUE(senders.Send(8, site.Url() + "all/page0.php?req=08"));
    ASSERT_TRUE(waitFor([&] { return events.count() == 1; }));
    ASSERT_TRUE(senders.Send(7, site.Url() + "all/page0.php?req=07"));
    ASSERT_TRUE(waitFor([&] { return events.count() == 2; }));
    ASSERT_TRUE(senders.Send(1, "http://127.0.0.1:" + std::to_string(closedPort) + "/all/page0.php"));
    ASSERT_TRUE(waitFor([&] { return events.count() == 3; }));
    EXPECT_TRUE(events.replies.empty());
    ASSERT_EQ(events.failures.size(), 3u);
    EXPECT_EQ(events.failures[0].first, 8) << "an HTTP error status";
    EXPECT_EQ(events.failures[1].first, 7) << "a body beyond the component's bound";
    EXPECT_EQ(events.failures[2].first, 1) << "no connection";
}

TEST(Senders, ANewRequestOnAComponentAbortsTheOneStillRunning) {
    TestHttpServer site([](const std::string& line) {
        const bool first = line.find("first") != std::string::npos;
        const std::string raw = TestHttpServer::Reply(first ? "*05:first*" : "*05:second*");
        // The first reply is held back until after the second request has been made.
        return first ? Response{{raw.substr(0, 10), raw.substr(10)}, 400, false}
                     : Response{{raw}, 0, false};
    });
    Senders senders;
    Events events(senders);
    ASSERT_TRUE(senders.Send(5, site.Url() + "all/page0.php?req=5&first"));
    ASSERT_TRUE(waitFor([&] { return site.RequestLines().size() == 1; }));
    EXPECT_TRUE(senders.Busy(5));
    ASSERT_TRUE(senders.Send(5, site.Url() + "all/page0.php?req=5&second"));
    ASSERT_TRUE(waitFor([&] { return events.count() == 1; }));
    waitFor([] { return false; }, 600);  // the first one's bytes have come and gone
    ASSERT_EQ(events.replies.size(), 1u);
    EXPECT_EQ(events.replies[0].second, "*05:second*");
    EXPECT_TRUE(events.failures.empty());
}

TEST(Senders, LobbyRequestsGoThroughTheProxyOfTheSettings) {
    TinyProxy proxy;
    ASSERT_TRUE(proxy.Start()) << "tinyproxy did not start";
    TestHttpServer site([](const std::string&) { return TestHttpServer::Answer("*01:*"); });
    const LobbyIdentity id = player(site.Url());
    Counters counters;
    RequestMaker make(id, counters);
    Senders senders;
    Events events(senders);

    senders.ApplyProxy(true, proxy.Host(), proxy.Port());
    EXPECT_EQ(senders.Component(4).ProxyPort(), proxy.Port());
    const std::string login = make.Login(false, QDateTime(QDate(2026, 12, 10), QTime(14, 0)));
    const std::string presence = make.Presence();
    ASSERT_TRUE(senders.Send(1, login));
    ASSERT_TRUE(senders.Send(7, presence));
    ASSERT_TRUE(waitFor([&] { return events.replies.size() == 2; }));
    EXPECT_TRUE(proxy.WaitForLog("GET " + login + " HTTP/1.1")) << proxy.Log();
    EXPECT_TRUE(proxy.WaitForLog("GET " + presence + " HTTP/1.1")) << proxy.Log();
    EXPECT_EQ(senders.LocalIPAddress(id.WebBaseUrl), "127.0.0.1");

    // Off again: straight to the site, the proxy sees nothing more.
    senders.ApplyProxy(false, proxy.Host(), proxy.Port());
    EXPECT_EQ(senders.Component(4).ProxyHost(), "");
    const std::string list = make.UserList();
    ASSERT_TRUE(senders.Send(3, list));
    ASSERT_TRUE(waitFor([&] { return events.replies.size() == 3; }));
    EXPECT_EQ(proxy.Log().find("req=03"), std::string::npos);
    EXPECT_TRUE(events.failures.empty());

    // One component alone, as the login check before each check.
    senders.ApplyProxy(0, true, proxy.Host(), proxy.Port());
    EXPECT_EQ(senders.Component(0).ProxyPort(), proxy.Port());
    EXPECT_EQ(senders.Component(1).ProxyHost(), "");
}

// Values may hold characters that the address rule copies as they are ('"', "|", "\", "^",
// line breaks of a message text): the request still goes, each such byte encoded on the wire.
TEST(Senders, CharactersTheAddressRuleCopiesStillTravel) {
    TestHttpServer site([](const std::string&) { return TestHttpServer::Answer("*04:"); });
    Senders senders;
    Events events(senders);
    LobbyIdentity id = player(site.Url());
    id.NetPassword = "a\"b|c\\d^e`f{g}";
    Counters counters;
    const std::string url = RequestMaker(id, counters).PrivateMessage("1.2.3.4", 1, "s", "line 1\r\nline 2\t%");
    ASSERT_TRUE(senders.Send(4, url));
    ASSERT_TRUE(waitFor([&] { return events.count() == 1; }));
    ASSERT_EQ(events.replies.size(), 1u);
    const std::string line = site.RequestLines().at(0);
    EXPECT_NE(line.find("&wpassword=a%22b%7Cc%5Cd%5Ee%60f%7Bg%7D&"), std::string::npos) << line;
    EXPECT_NE(line.find("&wdata=line%201%0D%0Aline%202%09%25&iop=0 HTTP/1.1"), std::string::npos) << line;
}
