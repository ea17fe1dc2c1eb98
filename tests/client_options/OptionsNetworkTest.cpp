// The options window's network pages: the account fields, the lobby's greying and the
// login check sent when the window closes.
#include <QTcpServer>
#include <QTcpSocket>

#include "OptionsFixture.h"
#include "lobby/Counter.h"

using client::AppSettings;
using client::TForm8;

namespace {
// Counts the login checks the options window hands to the lobby.
struct SentChecks {
    explicit SentChecks(TForm8& o) {
        o.SendLoginCheck = [this](const std::string& url) { urls.push_back(url); };
    }
    std::vector<std::string> urls;
};
} // namespace

TEST(OptionsNetwork, AccountFieldsHoldTwelveCharactersAndAddressesFifteen) {
    OptionsWindows w;
    TForm8& o = w.options();
    o.show();
    o.ShowPage(TForm8::RowNetwork);
    QTest::keyClicks(o.Edit114, "abcdefghijklm");
    EXPECT_EQ(AppSettings().Surname, "abcdefghijkl");
    QTest::keyClicks(o.Edit111, "1234567890123");
    EXPECT_EQ(AppSettings().NetPassword, "123456789012");
    o.ShowPage(TForm8::RowConfiguration);
    o.CheckBox114->click();
    QTest::keyClicks(o.Edit120, "255.255.255.2550");
    EXPECT_EQ(AppSettings().ProxyAddress, "255.255.255.255");
}

TEST(OptionsNetwork, ClosingChecksTheAccountOnlyWhenItWasEditedWhileOffline) {
    struct Case {
        const char* what;
        bool edit;
        bool loggedIn;
        bool siteUp;
        std::size_t sent;
    };
    const Case cases[] = {
        {"edited, offline, site up", true, false, true, 1},
        {"untouched", false, false, true, 0},
        {"edited while logged into the lobby", true, true, true, 0},
        {"edited before the site answered", true, false, false, 0},
    };
    for (const Case& c : cases) {
        OptionsWindows w;
        TForm8& o = w.options();
        SentChecks sent(o);
        lobby::AppCounters().LobbyRequestCounter = 41;
        w.main().Connect1->setEnabled(!c.loggedIn);
        w.main().ToolButton2->setEnabled(c.siteUp);
        w.main().Options1->trigger();
        if (c.edit) o.Edit114->setText("new nick");
        o.close();
        ASSERT_EQ(sent.urls.size(), c.sent) << c.what;
        if (c.sent) {
            EXPECT_EQ(sent.urls[0], w.main().WebBaseUrl + "page0.php?req=00&wsurnom=new%20nick&wpassword=&iop=41");
            EXPECT_EQ(lobby::AppCounters().LobbyRequestCounter, 41) << "the counter is not stepped here";
        }
        // The settings are saved in every case.
        EXPECT_EQ(platform::IniFile(AppSettings().IniFilePath).ReadString("Network Options", "Surname", "-"),
                  c.edit ? "new nick" : "")
            << c.what;
    }
}

TEST(OptionsNetwork, TheLoginCheckReachesTheSiteThroughTheLobbysComponent) {
    QTcpServer site;
    ASSERT_TRUE(site.listen(QHostAddress::LocalHost, 0));
    QByteArray request;
    QObject::connect(&site, &QTcpServer::newConnection, [&] {
        QTcpSocket* peer = site.nextPendingConnection();
        QObject::connect(peer, &QTcpSocket::readyRead, [&request, peer] {
            request += peer->readAll();
            if (request.contains("\r\n\r\n")) {
                peer->write("HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\n*00:");
                peer->disconnectFromHost();
            }
        });
    });
    OptionsWindows w;
    TForm8& o = w.options();
    w.main().WebBaseUrl = "http://127.0.0.1:" + std::to_string(site.serverPort()) + "/all/";
    w.main().ToolButton2->setEnabled(true);
    w.main().Options1->trigger();
    o.Edit114->setText("amy");
    o.Edit111->setText("p&w");
    o.close();
    for (int i = 0; i < 200 && !request.contains("\r\n\r\n"); ++i) QTest::qWait(10);
    EXPECT_TRUE(request.startsWith("GET /all/page0.php?req=00&wsurnom=amy&wpassword=p%26w&iop=")) << request.toStdString();
}

TEST(OptionsNetwork, TheLobbyGreysTheNetworkPageButNeverTheServerKind) {
    OptionsWindows w;
    TForm8& o = w.options();
    const std::vector<QWidget*> controls = {o.Label7, o.Label113, o.Edit114, o.Label114, o.Edit111, o.Label16,
                                            o.RadioType, o.Label17, o.Label117, o.SpinEdit112, o.CheckBox114,
                                            o.Edit120, o.Label120, o.Label121, o.SpinEdit121, o.Label18,
                                            o.CheckBox112, o.Label115, o.Edit113, o.Label116, o.SpinEdit111,
                                            o.Label19, o.CheckBox113, o.Label118, o.Edit115, o.Label119, o.Edit116};
    o.UpdateNetOptionsForm(false);
    for (QWidget* c : controls) EXPECT_FALSE(c->isEnabled()) << client::S(c->objectName());
    o.UpdateNetOptionsForm(true);
    for (QWidget* c : controls) EXPECT_TRUE(c->isEnabled()) << client::S(c->objectName());
    EXPECT_FALSE(o.RadioKind->isEnabled());
    // The server always plays two people and the computer.
    o.RadioKindItems->button(1)->setChecked(true);
    o.RadioKindClick();
    EXPECT_EQ(o.RadioKindItems->checkedId(), 0);
    EXPECT_EQ(AppSettings().PlayWithCpu, 1);
}
