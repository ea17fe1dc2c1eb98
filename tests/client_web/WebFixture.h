#pragma once
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

#include "Archives.h"
#include "TinyWebServer.h"
#include "settings/Settings.h"
#include "client/Shell.h"
#include "client/VueDownloadsc.h"
#include "client/WindowHooks.h"
#include "lobby/Counter.h"
#include "platform/ProgramFolder.h"
#include "support/MessageRecorder.h"
#include "support/TempFolder.h"

// Records what the client hands to the desktop and whether it asked to end.
struct RecordingShell {
    RecordingShell() {
        previous = client::SetShellHooks({[this](const std::string& p) {
                                              opened.push_back(p);
                                              return true;
                                          },
                                          [this] { ++ended; }});
    }
    ~RecordingShell() { client::SetShellHooks(previous); }
    std::vector<std::string> opened;
    int ended = 0;
    client::ShellHooks previous;
};

// Waits for a download window to finish; its outcome, or nothing on time-out.
inline std::optional<client::TForm10::Outcome> WaitForDownload(client::TForm10* window, int ms = 15000) {
    std::optional<client::TForm10::Outcome> outcome;
    QObject::connect(window, &client::TForm10::Finished, [&](client::TForm10::Outcome o) { outcome = o; });
    if (!QTest::qWaitFor([&] { return outcome.has_value(); }, ms)) return std::nullopt;
    return outcome;
}

// A fresh program folder, fresh settings and counters, a web server, and the lists'
// refreshes counted.
struct WebCase : ::testing::Test {
    TempFolder folder;
    TinyWebServer web;
    MessageRecorder messages{platform::MsgAnswer::Yes};
    RecordingShell shell;
    int refreshes = 0;

    WebCase() {
        platform::SetProgramFolderForTests(folder.path());
        client::AppSettings() = client::Settings{};
        client::SetProgramDir(folder.path());
        lobby::AppCounters() = {};
        client::ResetWindowHooks();
        client::OnDownloadedLists([this] { ++refreshes; });
    }
    ~WebCase() override {
        client::ResetWindowHooks();
        platform::SetProgramFolderForTests("");
    }
    std::string inFolder(const std::string& relative) const { return folder.path() + "/" + relative; }
};
