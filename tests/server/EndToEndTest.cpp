// The program itself: mvtserver started in an empty folder against the stand-in site logs in
// on its own, takes a scripted guest's invitation, plays a whole game at its own pace,
// reports the result and comes back to the lobby for the next game.
#include <QProcess>
#include <QProcessEnvironment>

#include "ScriptedGuest.h"
#include "ServerFixture.h"
#include "support/StandInSite.h"

namespace {

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

} // namespace

TEST(ServerProgram, PlaysAWholeGameWithAGuestAndComesBackForTheNext) {
    StandInSite site;
    ASSERT_TRUE(site.Start());
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    CopyShippedData(folder.path());
    ASSERT_TRUE(QFile::copy(QStringLiteral(MORVATEL_OUT_DIR "/mvtserver"),
                            QString::fromStdString(folder.path() + "/mvtserver")));
    const int port = FreePort();
    folder.write("param_ds.ini", SettingsText("robot", "pw", port));

    QProcess server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MORVATEL_SITE_URL", QString::fromStdString(site.Url()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.path() + "/config"));
    server.setProcessEnvironment(env);
    server.setWorkingDirectory(QString::fromStdString(folder.path()));
    server.start(QString::fromStdString(folder.path() + "/mvtserver"), {});
    ASSERT_TRUE(server.waitForStarted(10000));

    std::string log;
    const auto siteLog = [&] {
        log += site.ErrorOutput().toStdString();
        return log;
    };
    ScriptedGuest guest(site.Url(), "ann", FreePort());
    ASSERT_TRUE(guest.Login());
    ASSERT_TRUE(guest.Meet("robot")) << siteLog();
    ASSERT_TRUE(guest.PlayToTheEnd(240000)) << siteLog();
    // The result, then the robot's next login, as the site saw them.
    ASSERT_TRUE(WaitFor(
        [&] {
            const std::string l = siteLog();
            const auto result = l.find("req=08&wsurnom=robot&");
            return result != std::string::npos && l.find("req=01&wsurnom=robot&", result) != std::string::npos;
        },
        20000))
        << siteLog();
    EXPECT_EQ(folder.read("datas_ds.sta").substr(0, 3), "1\r\n");
    EXPECT_FALSE(has(siteLog(), "wres=5"));
    // It is in the lobby again for a second guest.
    ScriptedGuest second(site.Url(), "bob", FreePort());
    ASSERT_TRUE(second.Login());
    lobby::cJoueur robot;
    EXPECT_TRUE(second.FindUser("robot", robot));
    EXPECT_EQ(robot.Port, port);

    server.terminate();
    if (!server.waitForFinished(5000)) {
        server.kill();
        server.waitForFinished(5000);
    }
}
