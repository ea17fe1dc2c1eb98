#include "platform/HttpComponent.h"
#include "support/TestHttpServer.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A reply whose head promises 64 bytes and whose body then comes one byte at a time.
TestHttpServer::Response Trickle(int pauseMs) {
    TestHttpServer::Response r;
    r.Pieces.push_back("HTTP/1.1 200 OK\r\nContent-Length: 64\r\nConnection: close\r\n\r\n");
    for (int i = 0; i < 64; ++i) r.Pieces.push_back("x");
    r.PauseMs = pauseMs;
    return r;
}

struct Outcome {
    int successes = 0;
    int failures = 0;
    QString reason;
};

Outcome Fetch(platform::HttpComponent& http, const std::string& url, int waitMs) {
    QSignalSpy success(&http, &platform::HttpComponent::Success);
    QSignalSpy failure(&http, &platform::HttpComponent::Failure);
    EXPECT_TRUE(http.Get(url));
    (void)QTest::qWaitFor([&] { return success.count() + failure.count() > 0; }, waitMs);
    // Whatever came first, nothing may follow it.
    QTest::qWait(300);
    Outcome o{int(success.count()), int(failure.count()), {}};
    if (!failure.isEmpty()) o.reason = failure.first().first().toString();
    return o;
}

} // namespace

TEST(HttpComponentDeadline, ATricklingReplyFailsOnceAtItsDeadline) {
    TestHttpServer site([](const std::string&) { return Trickle(100); });
    platform::HttpComponent http{QStringLiteral("NMHTTP1")};
    http.SetDeadline(500);  // the silence time-out (30 s) never fires: a byte every 100 ms
    const Outcome o = Fetch(http, site.Url() + "all/page0.php?req=03", 10000);
    EXPECT_EQ(o.successes, 0);
    EXPECT_EQ(o.failures, 1);
    EXPECT_TRUE(o.reason.contains("timed out")) << o.reason.toStdString();
    EXPECT_FALSE(http.Busy());
}

TEST(HttpComponentDeadline, AReplyWithinItsDeadlineSucceedsAndNothingFollows) {
    TestHttpServer site([](const std::string&) { return TestHttpServer::Answer("*03:ok"); });
    platform::HttpComponent http{QStringLiteral("NMHTTP1")};
    http.SetDeadline(400);
    const Outcome o = Fetch(http, site.Url() + "all/page0.php?req=03", 10000);
    EXPECT_EQ(o.successes, 1);
    EXPECT_EQ(o.failures, 0);
    // The deadline of the finished request has passed by now and reported nothing.
    QTest::qWait(300);
    EXPECT_EQ(http.Body(), QByteArray("*03:ok"));
}

TEST(HttpComponentDeadline, EachGetHasADeadlineOfItsOwn) {
    // A second Get made just before the first one's deadline gets its full time.
    TestHttpServer site([](const std::string& line) {
        if (line.find("slow") != std::string::npos) return Trickle(100);
        TestHttpServer::Response r{{TestHttpServer::Reply("*03:b")}, 0, false};
        return r;
    });
    platform::HttpComponent http{QStringLiteral("NMHTTP1")};
    http.SetDeadline(600);
    ASSERT_TRUE(http.Get(site.Url() + "slow"));
    QTest::qWait(400);
    const Outcome o = Fetch(http, site.Url() + "fast", 10000);
    EXPECT_EQ(o.successes, 1);
    EXPECT_EQ(o.failures, 0);
}
