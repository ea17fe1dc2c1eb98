#include <gtest/gtest.h>

#include "client/PageAddress.h"
#include "client/WebTitles.h"

using client::DownloadOrder;

TEST(BannerTitle, TheVersionIsTheFourCharactersAfterTheProductWord) {
    struct Row {
        const char* title;
        std::optional<std::string> version;
        bool newer;
    };
    const Row rows[] = {
        {"MORVATEL 3.1.0", "3.1.", true},
        {"MORVATEL 3.0.9", "3.0.", false},  // only "3.0." is compared with "3.0.3"
        {"MORVATEL 3.0.3", "3.0.", false},
        {"MORVATEL 4", "4", true},
        {"MORVATEL ", "", false},
        {"Morvatel 3.1.0", std::nullopt, false},
        {"MORVATEL3.1.0", std::nullopt, false},
        {"", std::nullopt, false},
    };
    for (const Row& r : rows) {
        const auto v = client::BannerVersion(r.title);
        EXPECT_EQ(v, r.version) << r.title;
        if (v) {
            EXPECT_EQ(client::IsNewerVersion(*v, "3.0.3"), r.newer) << r.title;
        }
    }
}

TEST(LoggingTitle, NicknameRunsToTheFirstAmpersandAndThePasswordIsTheWholeRest) {
    struct Row {
        std::string title;
        bool taken;
        std::string surname, password;
    };
    const Row rows[] = {
        {"Logging bob&secret", true, "bob", "secret"},
        {"Logging bob&pa&ss=w+rd", true, "bob", "pa&ss=w+rd"},
        {"Logging bob", true, "bob", ""},
        {"Logging &pw", true, "", "pw"},
        {"Logging  spaced name &x", true, " spaced name ", "x"},
        {"Logging bob&" + std::string(255, 'p'), true, "bob", std::string(255, 'p')},
        {"Logging bob&" + std::string(256, 'p'), false, "", ""},
        {"Logging bob\r\nX=1&pw", false, "", ""},
        {"Logging", false, "", ""},
        {"logging bob&pw", false, "", ""},
    };
    for (const Row& r : rows) {
        const auto c = client::ParseLoggingTitle(r.title);
        ASSERT_EQ(c.has_value(), r.taken) << r.title;
        if (!c) continue;
        EXPECT_EQ(c->Surname, r.surname) << r.title;
        EXPECT_EQ(c->Password, r.password) << r.title;
    }
}

TEST(DownloadingTitle, EachKindHasItsPageFoldersAndAddress) {
    const std::string dir = "/prog/", files = "http://site/files/";
    struct Row {
        const char* title;
        int opt;
        const char *local, *remote, *extract;
        long long size;
    };
    const Row rows[] = {
        {"Downloading 0!bob.zip!1234", 3, "/prog/players/bob.zip", "http://site/files/players/bob.zip", "/prog", 1234},
        {"Downloading 1!night.zip!10", 1, "/prog/themes/night.zip", "http://site/files/themes/night.zip", "/prog", 10},
        {"Downloading 2!fr.zip!7", 4, "/prog/univers/fr.zip", "http://site/files/languages/fr.zip", "/prog", 7},
        {"Downloading 3!wood.zip!lots", 2, "/prog/themes/wood.zip", "http://site/files/textures/wood.zip",
         "/prog/themes/textures", 0},
        {"Downloading 0!my pack.zip", 3, "/prog/players/my pack.zip", "http://site/files/players/my pack.zip", "/prog", 0},
        {"Downloading 0!a.zip!-5", 3, "/prog/players/a.zip", "http://site/files/players/a.zip", "/prog", 0},
    };
    for (const Row& r : rows) {
        const DownloadOrder d = client::ParseDownloadingTitle(r.title, dir, files);
        ASSERT_EQ(d.Result, DownloadOrder::Status::Ready) << r.title;
        EXPECT_EQ(d.PageOpt, r.opt) << r.title;
        EXPECT_EQ(d.LocalPath, r.local) << r.title;
        EXPECT_EQ(d.RemoteUrl, r.remote) << r.title;
        EXPECT_EQ(d.ExtractDir, r.extract) << r.title;
        EXPECT_EQ(d.Size, r.size) << r.title;
    }
    EXPECT_EQ(client::ParseDownloadingTitle("Downloading 3!wood.zip!x", dir, files).Label,
              "Filename : wood.zip (0 octets)");
}

TEST(DownloadingTitle, BadKindsAndNamesThatLeaveTheirFolderAreRefused) {
    using S = DownloadOrder::Status;
    const std::pair<const char*, S> rows[] = {
        {"Downloading x!a.zip!1", S::KindNotANumber}, {"Downloading !a.zip!1", S::KindNotANumber},
        {"Downloading 4!a.zip!1", S::Refused},        {"Downloading -1!a.zip!1", S::Refused},
        {"Downloading 0!../x!1", S::Refused},          {"Downloading 0!..!1", S::Refused},
        {"Downloading 0!/etc/passwd!1", S::Refused},   {"Downloading 0!sub/a.zip!1", S::Refused},
        {"Downloading 0!a\\b.zip!1", S::Refused},      {"Downloading 0!!1", S::Refused},
        {"Downloading 0", S::Refused},                 {"Download 0!a.zip!1", S::NotACommand},
        {"Logging a&b", S::NotACommand},
    };
    for (auto [title, status] : rows) {
        const DownloadOrder d = client::ParseDownloadingTitle(title, "/prog/", "http://site/files/");
        EXPECT_EQ(d.Result, status) << title;
        EXPECT_TRUE(d.LocalPath.empty()) << title;
    }
}

TEST(PageAddress, WhatTheAccountHoldsIsRequestedAsBuilt) {
    const std::string page = "http://site:8080/red/index.php?lg=";
    const std::pair<std::string, std::string> rows[] = {
        {page + "Jo Jo&pw=a b&dwl=1&opt=10&lang=us", page + "Jo%20Jo&pw=a%20b&dwl=1&opt=10&lang=us"},
        {page + "Ren\xe9&pw=x", page + "Ren%E9&pw=x"},
        {page + "a&pw=50%&opt=3", page + "a&pw=50%25&opt=3"},
        {page + "a&pw=%26%zz", page + "a&pw=%26%25zz"},
        {page + "a&pw=<\"|\\^`{}>", page + "a&pw=%3C%22%7C%5C%5E%60%7B%7D%3E"},
        {page + "a&pw=p&w=d?x", page + "a&pw=p&w=d?x"},
    };
    for (const auto& [built, requested] : rows) {
        const QUrl url = client::PageRequestUrl(built);
        ASSERT_TRUE(url.isValid()) << built << ": " << url.errorString().toStdString();
        EXPECT_EQ(url.toEncoded().toStdString(), requested) << built;
        EXPECT_EQ(url.scheme().toStdString(), "http");
    }
    EXPECT_FALSE(client::PageRequestUrl("http://bad host/x").isValid());
}
