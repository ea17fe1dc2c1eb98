#pragma once
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <string>
#include <vector>

#include "client/ClientFixture.h"
#include "client/Forms.h"
#include "sharedwin/QtColors.h"
#include "client/UiText.h"
#include "platform/IniFile.h"
#include "settings/Settings.h"
#include "client/VueListeJoueurs.h"
#include "client/VueOptions.h"
#include "client/VuePreferences.h"
#include "platform/TextFile.h"

// The client's windows in a fresh program folder with the shipped data, the options window
// at hand.
class OptionsWindows : public ClientWindows {
public:
    explicit OptionsWindows(const std::function<void(TempFolder&)>& prepare = {})
        : ClientWindows(true, 1024, 768, prepare) {}
    client::TForm8& options() { return *client::AppForms().Form8; }
    client::TForm3& editor() { return *client::AppForms().Form3; }
    client::TForm9& list() { return *client::AppForms().Form9; }
    bool exists(const std::string& relative) const {
        return QFileInfo::exists(QString::fromStdString(folder.path() + "/" + relative));
    }
    std::vector<std::string> lines(const std::string& relative) const {
        return platform::ReadLines(folder.path() + "/" + relative).value_or(std::vector<std::string>{});
    }
};

// A profile file of the shipped layout with the given star line value and folder.
inline std::string ProfileText(const std::string& name, const std::string& stars, const std::string& folder,
                               const std::string& picture = "pic.jpg") {
    return "[Morvatel player]\r\n\r\nEditor=Tester\r\nName=" + name + "\r\nComment=Testland\r\nIndex=" + stars +
           "\r\nDirectory=" + folder + "\r\nPresentation sound file=hello.wav\r\nVersion=2.5\r\n\r\n[Picture]\r\n" +
           picture + "\r\n";
}
