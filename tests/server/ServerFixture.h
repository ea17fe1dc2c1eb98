#pragma once
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "settings/Password.h"
#include "lobby/Counter.h"
#include "net/NetSupport.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "ServerFiles.h"
#include "server/ServerLanguage.h"
#include "server/ServerSettings.h"
#include "server/ServerWindows.h"
#include "server/Vuesc.h"
#include "support/MessageRecorder.h"
#include "support/TempFolder.h"

// The server's windows in a fresh program folder, with the site's address given (a closed
// port by default), the notices recorded instead of fetched and the end of the program
// recorded instead of done.
class ServerFixture : public ::testing::Test {
protected:
    void SetUp() override { platform::SetFixedSeed(7); }

    void StartServer(const std::string& settings, const std::string& siteUrl = "http://127.0.0.1:1/") {
        ASSERT_TRUE(folder.ok());
        CopyShippedData(folder.path());
        if (!settings.empty()) folder.write("param_ds.ini", settings);
        platform::SetProgramFolderForTests(folder.path());
        ::setenv("MORVATEL_SITE_URL", siteUrl.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (folder.path() + "/config").c_str(), 1);
        server::AppSettings() = {};
        server::AppStatistics() = {};
        lobby::AppCounters() = {};
        lobby::AppCounters().Rules.SaveWhenGuestJoins = false;
        main = server::CreateServerWindows();
        main->GetInetFile = [this](const std::string& url) { notices.push_back(url); };
        main->TrayAvailable = [this] { return trayAvailable; };
        main->EndProgram = [this] { ++ended; };
        main->ShutdownWaitMs = 3000;
        server::OpenInBrowser = [this](const std::string& url) {
            opened.push_back(url);
            return true;
        };
    }

    void TearDown() override {
        if (main) server::DestroyServerWindows();
        main = nullptr;
        platform::SetProgramFolderForTests("");
        platform::ClearFixedSeed();
    }

    // The robot as a lobby login leaves it: connected, one computer seat filled.
    void ConnectedWithOneUser(const std::string& userIp, int userPort, const std::string& name = "ann") {
        main->Timer2->stop();
        main->ComboBox1->clear();
        main->ComboBox1->addItem("Free Play (C)");
        main->LocalIPAddress = "127.0.0.1";
        main->HostSeatName = server::AppSettings().Surname;
        main->HostSeatAddress = "127.0.0.1";
        main->CompetitionName = "Free Play";
        main->NMHTTP1Success("*01:[" + name + ";" + name + ";FR;Cl;fr;now;" + userIp + ";" +
                             std::to_string(userPort) + "]*");
        main->Timer4->stop();
    }

    TempFolder folder;
    MessageRecorder messages;
    server::TForm1* main = nullptr;
    std::vector<std::string> notices, opened;
    bool trayAvailable = true;
    int ended = 0;
};
