#include <QTcpServer>

#include "LobbyFixture.h"
#include "client/HostedGame.h"
#include "client/VueInfoJeu.h"

namespace {

TEST(Chat, ChatLinesTravelTheLinkAndShowInTheChatWindow) {
    LobbyWindows w("Hosty", 1);
    client::Settings& s = client::AppSettings();
    s.ServerPort = FreePort();
    client::TForm1& main = w.main();
    RawGuest guest;
    ASSERT_TRUE(HostForRawGuest(main, guest));
    ASSERT_TRUE(WaitFor([&] { return dynamic_cast<JeuNet*>(main.CurrentGame.get()) != nullptr; }));
    client::TForm12& chat = w.chat();

    // Nothing is sent for an empty line; a trailing blank is kept.
    chat.Edit1->clear();
    chat.Button1Click();
    chat.Edit1->setText("hi ");
    chat.show();
    chat.Edit1KeyPress(13);
    ASSERT_TRUE(WaitFor([&] { return !guest.withCode('9').empty(); }));
    EXPECT_EQ(guest.withCode('9'), std::vector<std::string>{"9:1&hi &"}) << "to the one guest";
    EXPECT_TRUE(chat.isHidden());
    EXPECT_TRUE(chat.Edit1->text().isEmpty());
    EXPECT_TRUE(chat.Memo1->toPlainText().endsWith(": hi "));

    // A guest's line shows in the chat window, not in the game log.
    guest.sendLine("9:0&hello&");
    ASSERT_TRUE(WaitFor([&] { return chat.Memo1->toPlainText().endsWith(": hello"); }));
    EXPECT_TRUE(chat.isVisible());
    EXPECT_FALSE(client::AppForms().Form4->Memo1->toPlainText().contains("hello"));
    chat.FormKeyPress(27);
    EXPECT_TRUE(chat.isHidden());
    main.CloseGameSockets();
}

TEST(Chat, TheComposerSendsAPrivateMessageOnlyWithAFirstLine) {
    LobbyWindows w;
    ASSERT_TRUE(w.LogIn("*01:" + UserRecordText("Bob", "Se", "fr", "127.0.0.1", 3001) + "*"));
    ASSERT_TRUE(w.PollMessages("*05:" + MessageRecordText(1, "127.0.0.1", 3001, "hello") + "*"));
    client::TForm14& l = w.lobby();
    client::TForm11& composer = w.composer();
    l.ButtonAnswerClick();
    EXPECT_TRUE(composer.isVisible());
    EXPECT_EQ(composer.windowTitle().toStdString(), "Answer");
    EXPECT_FALSE(w.main().Area->isEnabled());

    struct Case {
        const char* text;
        bool enabled;
    };
    for (const Case& c : {Case{"", false}, Case{"\nlater lines", false}, Case{"first\nsecond", true}}) {
        composer.MemoToBeSent->setPlainText(c.text);
        EXPECT_EQ(composer.Button1->isEnabled(), c.enabled) << c.text;
    }
    const int counter = lobby::AppCounters().LobbyRequestCounter;
    composer.Button1Click();
    ASSERT_TRUE(WaitFor([&] { return w.site.Count("04") == 1; }));
    const auto sent = w.site.Of("04")[0];
    EXPECT_EQ(sent.key("wtype"), "1");
    EXPECT_EQ(sent.key("wportdestin"), "3001");
    EXPECT_EQ(sent.key("wdata"), "first second");
    EXPECT_EQ(sent.key("wdatetime").substr(0, 4), " le ");
    EXPECT_EQ(sent.iop(), counter);
    EXPECT_EQ(lobby::AppCounters().LobbyRequestCounter, counter);
    EXPECT_TRUE(l.LobbyMessages[0].Answered);
    EXPECT_TRUE(composer.isHidden());
    EXPECT_TRUE(w.main().Area->isEnabled());

    // Send opens it for the selected row; Escape closes it.
    l.ButtonSendClick();
    EXPECT_EQ(composer.windowTitle().toStdString(), "Send");
    EXPECT_EQ(composer.DestinationPort, 3001);
    composer.FormKeyPress(27);
    EXPECT_TRUE(composer.isHidden());
    EXPECT_TRUE(w.main().Area->isEnabled());
}

} // namespace
