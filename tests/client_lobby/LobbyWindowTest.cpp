#include "LobbyFixture.h"

namespace {


const std::string Users = "*01:" + UserRecordText("Bob", "Se", "fr", "127.0.0.1", 3001) +
                          UserRecordText("Cleo", "Cl", "lk", "127.0.0.1", 3002) + "*";

TEST(LobbyWindow, ASessionSendsItsRequestsWithTheirCounters) {
    LobbyWindows w;
    ASSERT_TRUE(w.LogIn(Users));
    ASSERT_EQ(w.site.Requests()[0].req, "00") << "the account and its competitions are checked first";
    auto login = w.site.Of("01");
    ASSERT_EQ(login.size(), 1u);
    EXPECT_EQ(login[0].iop(), 1);
    EXPECT_EQ(login[0].key("wsurnom"), "Anna");
    EXPECT_EQ(login[0].key("wtype"), "Cl");
    EXPECT_EQ(login[0].key("wetat"), "fr");
    EXPECT_EQ(login[0].key("wadIP"), "127.0.0.1");
    EXPECT_TRUE(w.lobby().Timer4->isActive());
    EXPECT_EQ(w.lobby().RowCount(), 3);

    // Two polling cycles: 5 carries n, 07 n + 1, 03 n + 2 ... one batch per tick.
    ASSERT_TRUE(w.Poll("5", 0));
    ASSERT_TRUE(w.Poll("03", 0));
    ASSERT_TRUE(w.Poll("5", 1));
    ASSERT_TRUE(w.Poll("03", 1));
    ASSERT_EQ(w.site.Count("5"), 2u);
    ASSERT_EQ(w.site.Count("07"), 2u);
    ASSERT_EQ(w.site.Count("03"), 2u);
    EXPECT_EQ(w.site.Of("5")[0].iop(), 1);
    EXPECT_EQ(w.site.Of("07")[0].iop(), 2);
    EXPECT_EQ(w.site.Of("03")[0].iop(), 3);
    EXPECT_EQ(w.site.Of("5")[1].iop(), 3);
    EXPECT_EQ(w.site.Of("07")[1].iop(), 4);
    EXPECT_EQ(w.site.Of("03")[1].iop(), 5);
    EXPECT_EQ(w.site.Of("03")[0].key("wnomcomp"), "(None competit");  // the combo text minus its suffix

    // Disconnect, then connect again: the log in carries the counter at disconnect + 2.
    w.lobby().ToolButton6Click();
    ASSERT_TRUE(WaitFor([&] { return w.site.Count("02") == 1 && w.lobby().ToolButton5->isEnabled(); }));
    EXPECT_EQ(w.site.Of("02")[0].iop(), 5);
    EXPECT_FALSE(w.site.Of("02")[0].has("wnomcomp"));
    EXPECT_FALSE(w.lobby().Timer4->isActive());
    EXPECT_TRUE(w.main().Connect1->isEnabled());
    EXPECT_FALSE(w.main().Disconnect1->isEnabled());
    ASSERT_TRUE(w.LogIn(Users));
    EXPECT_EQ(w.site.Of("01")[1].iop(), 5 + 2);
}

TEST(LobbyWindow, ANicknameThatWouldBreakTheRequestsIsRefusedBeforeAnyIsSent) {
    for (const char* name : {"a;b", "a&b", "a*b", "a]b"}) {
        LobbyWindows w(name);
        w.lobby().ToolButton5Click();
        Pump(20);
        EXPECT_TRUE(w.site.Requests().empty()) << name;
        ASSERT_EQ(w.windows.messages.texts.size(), 1u) << name;
        EXPECT_EQ(w.windows.messages.texts[0], "Invalid nickname. No * & ; ] please.");
        EXPECT_TRUE(w.lobby().ToolButton5->isEnabled());
        EXPECT_TRUE(w.main().NewGame1->isEnabled()) << "a local game can still be started";
    }
}

TEST(LobbyWindow, TheUserListShowsKindStateAndPortByItsRules) {
    LobbyWindows w;
    const std::string list = "*01:" + UserRecordText("Hfree", "Se", "fr", "10.0.0.1", 3001) +
                             UserRecordText("Hlinked", "Se", "lk", "10.0.0.2", 3002) +
                             UserRecordText("Glinked", "Cl", "lk", "10.0.0.3", 3003) +
                             UserRecordText("Gbusy", "Cl", "bs", "10.0.0.4", 3004, "") + "*";
    ASSERT_TRUE(w.LogIn(list));
    struct Row {
        const char* name;
        const char* kind;
        const char* state;
        const char* port;
    };
    const Row rows[] = {{"Hfree-o", "Server", "Free", "3001"},
                        {"Hlinked-o", "Server", "Free", "3002"},
                        {"Glinked-o", "Client", "Linked", ""},
                        {"Gbusy-o", "Client", "Playing", ""}};
    client::TForm14& l = w.lobby();
    ASSERT_EQ(l.RowCount(), 5);
    for (int r = 1; r <= 4; ++r) {
        const Row& want = rows[r - 1];
        EXPECT_EQ(l.Cell(r, 0), want.name);
        EXPECT_EQ(l.Cell(r, 2), want.kind) << want.name;
        EXPECT_EQ(l.Cell(r, 3), want.state) << want.name;
        EXPECT_EQ(l.Cell(r, 5), want.port) << want.name;
        EXPECT_EQ(l.Cell(r, 4), "x");
    }
    EXPECT_EQ(l.Cell(4, 1), "") << "an empty field keeps its column";
    EXPECT_EQ(l.GridUsers->currentRow(), 0);

    // Outside " (C)" competitions the answer and send buttons hide at the next list.
    ASSERT_TRUE(w.PollUsers("*03:" + UserRecordText("Hfree", "Se", "fr", "10.0.0.1", 3001) + "*"));
    EXPECT_TRUE(l.ButtonSend->isHidden());
    EXPECT_TRUE(l.ButtonAnswer->isHidden());
    EXPECT_EQ(l.RowCount(), 2);

    // A " (C)" competition shows the first name field and the buttons.
    w.lobby().ToolButton6Click();
    ASSERT_TRUE(WaitFor([&] { return l.ToolButton5->isEnabled(); }));
    l.NMHTTP0Success("*00:[Cup;0;*");
    EXPECT_EQ(l.ComboBox1->currentText().toStdString(), "Cup (C)");
    ASSERT_TRUE(w.LogIn(list));
    EXPECT_EQ(w.site.Of("01").back().key("wnomcomp"), "Cup");
    EXPECT_EQ(l.Cell(1, 0), "Hfree");
    ASSERT_TRUE(w.PollUsers("*03:*"));
    EXPECT_FALSE(l.ButtonSend->isHidden());
    EXPECT_EQ(l.Cell(1, 0), "None connected player");
    EXPECT_FALSE(l.ButtonInvite->isEnabled());
}

TEST(LobbyWindow, RefusalsShowTheirReasonAndStopPolling) {
    struct Case {
        const char* reply;
        const char* message;
    };
    const Case cases[] = {{"*rj:tm", "This competition is not opened now."},
                          {"*rj:ar", "Wait one minute before reconnecting."},
                          {"*rj:id", "Please enter your Morvatel nickname and password or if you don't get ones, "
                                     "join Morvatel Community."}};
    for (const Case& c : cases) {
        LobbyWindows w;
        ASSERT_TRUE(w.LogIn(Users));
        w.site.Queue("5", c.reply);
        w.lobby().Timer4Timer();
        ASSERT_TRUE(WaitFor([&] { return !w.windows.messages.texts.empty(); })) << c.reply;
        EXPECT_EQ(w.windows.messages.texts.back(), c.message);
        EXPECT_FALSE(w.lobby().Timer4->isActive());
        EXPECT_TRUE(w.lobby().ToolButton5->isEnabled());
        EXPECT_EQ(lobby::AppCounters().SavedRequestCounter, lobby::AppCounters().LobbyRequestCounter);
    }
}

TEST(LobbyWindow, ASlowSiteNeverGetsTwoPollsAtOnceAndTheWindowStaysUsable) {
    LobbyWindows w;
    ASSERT_TRUE(w.LogIn(Users));
    w.site.HoldCodes({"5", "03", "07"});
    w.lobby().Timer4->setInterval(5);
    w.lobby().Timer4->start();
    // While the site holds its replies the window keeps working and no further poll leaves.
    ASSERT_TRUE(WaitFor([&] { return w.site.Held() >= 1; }));
    Pump(300);
    EXPECT_EQ(w.site.Held(), 1u);
    EXPECT_FALSE(w.lobby().Timer4->isActive());
    w.lobby().EditSearch->setText("Bob");
    w.lobby().BitBtn4Click();
    EXPECT_EQ(w.lobby().GridUsers->currentRow(), 0);
    // Released, the next batch leaves: 07 and 03 together, then nothing until they answer.
    w.site.Release();
    w.site.HoldCodes({"5", "03", "07"});
    ASSERT_TRUE(WaitFor([&] { return w.site.Count("03") == 1; }));
    Pump(300);
    EXPECT_EQ(w.site.Count("5"), 1u);
    EXPECT_LE(w.site.MostHeldAtOnce(), 2u);
    w.site.Release();
    ASSERT_TRUE(WaitFor([&] { return w.site.Count("5") == 2; }));
    w.site.Release();
}

TEST(LobbyWindow, ASiteThatGoesAwayEndsTheSessionWithItsMessage) {
    LobbyWindows w;
    ASSERT_TRUE(w.LogIn(Users));
    w.site.GoAway();
    w.lobby().Timer4Timer();
    ASSERT_TRUE(WaitFor([&] { return !w.windows.messages.texts.empty(); }, 10000));
    EXPECT_EQ(w.windows.messages.texts[0], "Impossible to connect the server");
    client::TForm14& l = w.lobby();
    EXPECT_FALSE(l.Timer4->isActive());
    EXPECT_TRUE(l.StopPolling);
    EXPECT_TRUE(l.ToolButton5->isEnabled());
    EXPECT_FALSE(l.GridUsers->isEnabled());
    EXPECT_EQ(l.Cell(1, 0), "Not connected");
    EXPECT_TRUE(w.main().NewGame1->isEnabled());
    const std::size_t sent = w.site.Requests().size();
    Pump(50);
    EXPECT_EQ(w.site.Requests().size(), sent);
}

TEST(LobbyWindow, ReceivedMessagesArePagedWithTheirUnreadCount) {
    LobbyWindows w;
    ASSERT_TRUE(w.LogIn(Users));
    client::TForm14& l = w.lobby();
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(1, "127.0.0.1", 3001, "hello") + "*"));
    EXPECT_EQ(l.MemoReceived->toPlainText().toStdString(),
              "from Bob-o (Server) 01/01/2026 10:00\nhello");
    EXPECT_TRUE(l.ButtonAnswer->isEnabled());
    EXPECT_EQ(l.UnreadCount, 0);
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(3, "127.0.0.1", 3002) +
                               MessageRecordText(2, "10.9.9.9", 1) + "*"));
    EXPECT_EQ(l.Label7->text().toStdString(), "2 Received messages");
    EXPECT_EQ(l.UnreadCount, 2);
    EXPECT_TRUE(l.BitBtn5->isEnabled());
    EXPECT_FALSE(l.BitBtn6->isEnabled());
    l.BitBtn5Click();
    EXPECT_EQ(l.MemoReceived->toPlainText().toStdString(),
              "Refusal of Cleo-o (Client) 01/01/2026 10:00 to play with you.");
    EXPECT_EQ(l.Label7->text().toStdString(), "1 Received message");
    l.BitBtn5Click();
    EXPECT_EQ(l.MemoReceived->toPlainText().toStdString(), "Invitation from (Not connected) 01/01/2026 10:00");
    EXPECT_FALSE(l.Button3->isEnabled()) << "an unlisted sender cannot be answered";
    EXPECT_TRUE(l.Label7->text().isEmpty());
    l.BitBtn6Click();
    l.BitBtn5Click();
    EXPECT_EQ(l.UnreadCount, 0) << "a message is counted once";
}

TEST(LobbyWindow, SearchSelectsTheExactNameOrSaysItIsMissing) {
    LobbyWindows w;
    ASSERT_TRUE(w.LogIn(Users));
    client::TForm14& l = w.lobby();
    l.EditSearch->setText("Cleo-o");
    l.BitBtn4Click();
    EXPECT_EQ(l.GridUsers->currentRow(), 1);
    l.EditSearch->setText("Cleo");
    l.BitBtn4Click();
    ASSERT_EQ(w.windows.messages.texts.size(), 1u);
    EXPECT_EQ(w.windows.messages.texts[0], "Nickname not found");
    EXPECT_TRUE(l.EditSearch->text().isEmpty());
}

} // namespace
