// The program itself: mvtserver started in an empty folder against the stand-in site logs in
// on its own and is listed at its game port for a scripted guest. A whole game with a real
// client, the result and the next game are in tests/server_client.
#include <gtest/gtest.h>

#include "ScriptedGuest.h"
#include "ServerProgram.h"
#include "support/StandInSite.h"

TEST(ServerProcess, LogsInOnItsOwnAndIsListedAtItsGamePort) {
    StandInSite site;
    ASSERT_TRUE(site.Start());
    const int port = FreePort();
    ServerProgram server;
    ASSERT_TRUE(server.Start(site.Url(), "robot", "pw", port));

    ScriptedGuest guest(site.Url(), "ann", FreePort());
    ASSERT_TRUE(guest.Login());
    lobby::cJoueur robot;
    ASSERT_TRUE(guest.FindUser("robot", robot)) << site.ErrorOutput().toStdString();
    EXPECT_EQ(robot.Port, port);
    EXPECT_EQ(robot.Kind, "Se");
    EXPECT_TRUE(server.Running());
}
