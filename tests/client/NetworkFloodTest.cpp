// Chat floods against the real main window, as host and as guest: the chat window keeps its
// bound, the game timer keeps ticking, and the last lines are still shown there (never in
// the game log).
#include <QTcpServer>

#include "ClientFixture.h"
#include "HostedGame.h"
#include "client/BoundedLog.h"
#include "client/VueInfoJeu.h"
#include "client/VueInfoMessage.h"
#include "net/NetSupport.h"

namespace {

struct TickCounter {
    explicit TickCounter(QTimer* timer) {
        QObject::connect(timer, &QTimer::timeout, timer, [this] { ++ticks; });
    }
    int ticks = 0;
};

client::TForm12& ChatWindow() { return *static_cast<client::TForm12*>(client::AppForms().Form12); }

QString LastChatLine() {
    const QStringList lines = ChatWindow().Memo1->toPlainText().split('\n');
    return lines.isEmpty() ? QString() : lines.back();
}

int ChatLines() { return ChatWindow().Memo1->blockCount(); }

bool GameLogHolds(const QString& text) { return client::AppForms().Form4->Memo1->toPlainText().contains(text); }

} // namespace

TEST(BoundedLog, KeepsTheNewestLinesAndStaysBoundAfterAClear) {
    QPlainTextEdit memo;
    client::BoundLog(memo, 5);
    for (int i = 0; i < 12; ++i) memo.appendPlainText(QString("line %1").arg(i));
    EXPECT_EQ(memo.toPlainText(), "line 7\nline 8\nline 9\nline 10\nline 11");
    memo.clear();
    for (int i = 0; i < 9; ++i) memo.appendPlainText(QString("again %1").arg(i));
    EXPECT_EQ(memo.blockCount(), 5);
    EXPECT_EQ(memo.toPlainText().split('\n').front(), "again 4");
}

TEST(NetworkFlood, AGuestFloodingTheHostWindowWithChatKeepsTheLogBoundAndTheTimerTicking) {
    ClientWindows w;
    client::Settings& s = client::AppSettings();
    s.PlayWithCpu = 1;
    s.ServerPort = FreePort();
    s.Surname = "Hosty";
    platform::SetFixedSeed(41);
    client::TForm1& main = w.main();
    RawGuest guest;
    ASSERT_TRUE(HostForRawGuest(main, guest));
    ASSERT_TRUE(main.Timer1->isActive());

    // Chat lines as long as the host takes, sent until the game timer has ticked a few times
    // while the flood went on and the log has overflowed its bound several times.
    TickCounter counter(main.Timer1);
    const std::string text(295 - 10, 'x');
    int sent = 0;
    ASSERT_TRUE(WaitFor(
        [&] {
            std::string burst;
            for (int i = 0; i < 100; ++i, ++sent)
                burst += "9:0&" + std::to_string(1000000 + sent) + text + "&\r\n";
            guest.send(burst);
            return counter.ticks >= 5 && sent >= 3 * client::LogLineLimit;
        },
        30000))
        << "ticks " << counter.ticks << " after " << sent << " lines";
    guest.sendLine("9:0&the last one&");
    ASSERT_TRUE(WaitFor([&] { return LastChatLine() == "Guesty: the last one"; }, 30000));
    EXPECT_LE(ChatLines(), client::LogLineLimit);
    EXPECT_EQ(ChatLines(), client::LogLineLimit) << "the newest lines are all kept";
    EXPECT_TRUE(ChatWindow().isVisible());
    EXPECT_FALSE(GameLogHolds("Guesty:"));
    EXPECT_TRUE(main.Timer1->isActive());
    EXPECT_FALSE(guest.closed());
    guest.socket().abort();
}

TEST(NetworkFlood, AHostSendingOverlongChatLinesNeverReachesTheGuestWindow) {
    ClientWindows w;
    client::AppSettings().Surname = "Guesty";
    platform::SetFixedSeed(42);
    client::TForm1& main = w.main();
    RawHost host;
    main.ClientEntameJeu("127.0.0.1", host.port(), "127.0.0.1");
    ASSERT_TRUE(host.accept());
    ASSERT_TRUE(host.pipe().waitLines(1));
    host.pipe().sendLine(StartLine({"Guesty", "Hosty", "CPU"}, {"127.0.0.1", "127.0.0.2", ""}, {"1", "0", "3"}));
    ASSERT_TRUE(WaitFor([&] { return main.CurrentGame && main.Timer1->isActive(); }));

    TickCounter counter(main.Timer1);
    const std::string longLine = "9:1&" + std::string(65000, 'y') + "&\r\n";
    int sent = 0;
    ASSERT_TRUE(WaitFor(
        [&] {
            host.pipe().send(longLine);
            ++sent;
            return counter.ticks >= 5 && sent >= 20;
        },
        30000));
    host.pipe().sendLine("9:1&short and sweet&");
    ASSERT_TRUE(WaitFor([&] { return LastChatLine() == "Hosty: short and sweet"; }, 30000));
    EXPECT_EQ(ChatLines(), 1) << "no part of an overlong line is shown";
    EXPECT_TRUE(ChatWindow().isVisible());
    EXPECT_FALSE(GameLogHolds("Hosty:"));
    EXPECT_TRUE(main.Timer1->isActive());
    EXPECT_EQ(main.GameGuest->Counts().Handled, 2) << "the start line and the short chat only";
    EXPECT_FALSE(main.Link.CurrentNetGame()->GameOver);
}
