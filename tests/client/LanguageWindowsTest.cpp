// Every window follows the language: captions and hints read from the live windows in the
// shipped English and French files.
#include <QAbstractButton>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <functional>
#include <set>

#include "ClientFixture.h"
#include "settings/Language.h"
#include "sharedwin/QtColors.h"
#include "client/Vue3Dsc.h"
#include "client/VueApropos.h"
#include "client/VueInfoJeu.h"
#include "client/VueSon.h"
#include "client/VueStatistique.h"

namespace {

using client::AppForms;

template <class T> T* find(QObject* root, const char* name) {
    T* found = root->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}
QAction* action(const char* name) { return find<QAction>(AppForms().Form1, name); }
QString hint(QWidget* w) { return w ? w->toolTip() : QString("(none)"); }

// Picks a language of the language menu by the name it shows.
void chooseLanguage(client::TForm1& main, const std::string& name) {
    for (QAction* a : main.Language1->actions())
        if (client::S(a->text()) == name) return a->trigger();
    ADD_FAILURE() << "no language item " << name;
}

// Every text a person can see on the windows: captions, titles, hints, menu titles.
std::vector<QString> shownTexts() {
    std::vector<QString> texts;
    QObject* root = AppForms().Form1;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        texts.push_back(w->toolTip());
        if (w->isWindow()) texts.push_back(w->windowTitle());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) texts.push_back(b->text());
        if (auto* l = qobject_cast<QLabel*>(w)) texts.push_back(l->text());
        if (auto* m = qobject_cast<QMenu*>(w)) texts.push_back(m->title());
    }
    for (QAction* a : root->findChildren<QAction*>()) texts.push_back(a->text());
    texts.push_back(AppForms().Form1->StatusBar1->currentMessage());
    return texts;
}

struct Shown {
    const char* what;
    std::function<QString()> text;
    const char* english;
    const char* french;  // Latin-1
};

} // namespace

TEST(LanguageWindows, CaptionsAndHintsOfEveryWindowFollowTheLanguage) {
    ClientWindows w;
    client::TForm1& m = w.main();
    auto* stats = static_cast<client::TForm6*>(AppForms().Form6);
    auto* sound = static_cast<client::TForm5*>(AppForms().Form5);
    QWidget* camera = AppForms().Form17;
    const auto label = [](QWidget* window, const char* row) {
        // The statistics labels sit left of their value, in the value's grid row.
        auto* grid = qobject_cast<QGridLayout*>(window->layout());
        QWidget* value = window->findChild<QWidget*>(row);
        int r = -1, c = 0, rs = 0, cs = 0;
        if (!grid || !value) return QString("(none)");
        grid->getItemPosition(grid->indexOf(value), &r, &c, &rs, &cs);
        auto* l = qobject_cast<QLabel*>(grid->itemAtPosition(r, 0)->widget());
        return l ? l->text() : QString("(none)");
    };
    const Shown rows[] = {
        {"game menu", [&] { return m.Partie1->title(); }, "Game", "Partie"},
        {"information view", [] { return action("Vuedesinformations1")->text(); }, "Information View",
         "Vue des informations"},
        {"preferences", [] { return action("Options1")->text(); }, "Preferences...", "Pr\xE9" "f\xE9" "rences..."},
        {"exit", [] { return action("Quitter1")->text(); }, "Exit", "Quitter"},
        {"web browser", [] { return action("Web1")->text(); }, "Web Browser", "Navigateur Web"},
        {"statistics", [] { return action("Statistiques1")->text(); }, "Statistics...", "Statistiques..."},
        {"sound control", [] { return action("Controleduson1")->text(); }, "Sound Control",
         "Contr\xF4le du son"},
        {"players menu", [&] { return m.Plug1->title(); }, "Players", "Joueurs"},
        {"player editor", [] { return action("Editiondesjoueurs1")->text(); }, "Launch VOREK Editor",
         "Lancer l'\xE9" "diteur VOREK"},
        {"about", [] { return action("VOREKDomino1")->text(); }, "About...", "\xC0 propos..."},
        {"network menu, fixed", [] { return action("Seconnecter1")->text(); }, "The Ring", "The Ring"},
        {"second tool button's hint, fixed", [&] { return hint(m.ToolButton2); }, "The Ring", "The Ring"},
        {"third tool button's hint", [&] { return hint(m.ToolButton3); }, "Web Browser", "Navigateur Web"},
        {"fourth tool button's hint", [&] { return hint(m.ToolButton4); }, "3D View", "Vue 3D"},
        {"seventh tool button's hint", [&] { return hint(m.ToolButton7); }, "Sound Control",
         "Contr\xF4le du son"},
        {"next-round button", [&] { return m.Button1->text(); }, "Next round", "Manche suivante"},
        {"next-round hint", [&] { return hint(m.Button1); }, "Begin the next round",
         "Commencer la manche suivante"},
        {"chat hint", [&] { return hint(m.BitBtn1); }, "Send a message", "Envoyer un message"},
        {"status bar", [&] { return m.StatusBar1->currentMessage(); }, " Click on New Game to begin...",
         " Cliquez sur Nouvelle partie pour commencer..."},
        {"statistics window", [&] { return stats->windowTitle(); }, "Statistics...", "Statistiques..."},
        {"played label", [&] { return label(stats, "Played"); }, "Number of played matches :",
         "Nombre de parties jou\xE9" "es :"},
        {"won label", [&] { return label(stats, "Won"); }, "Number of won matches :",
         "Nombre de parties gagn\xE9" "es :"},
        {"lost label", [&] { return label(stats, "Lost"); }, "Number of lost matches :",
         "Nombre de parties perdues :"},
        {"pigs label", [&] { return label(stats, "PigsGiven"); }, "Number of given pigs :",
         "Nombre de cochons donn\xE9" "s :"},
        {"reset", [&] { return stats->Button2->text(); }, "Reset", "Remettre \xE0 z\xE9" "ro"},
        {"game information", [] { return AppForms().Form4->windowTitle(); }, "Information", "Informations"},
        {"camera dialog", [&] { return camera->windowTitle(); }, "3D View", "Vue 3D"},
        {"camera wheel", [&] { return hint(camera->findChild<QWidget*>("Image6")); }, "Angle wheel",
         "Molette de rotation angulaire"},
        {"about box", [] { return AppForms().Form2->windowTitle(); }, "About...", "\xC0 propos..."},
        {"sound window", [&] { return sound->windowTitle(); }, "Sound Control", "Contr\xF4le du son"},
        {"sound switch", [&] { return hint(sound->SoundOn); }, "Switch the sound off", "Couper le son"},
        {"previous track", [&] { return hint(sound->IPrev); }, "Previous", "Pr\xE9" "c\xE9" "dent"},
        {"eject", [&] { return hint(sound->IEject); }, "Eject", "\xC9" "jecter"},
    };
    const auto expectAll = [&](bool french) {
        for (const Shown& r : rows)
            EXPECT_EQ(client::S(r.text()), french ? r.french : r.english) << r.what;
    };
    SCOPED_TRACE("English at start");
    expectAll(false);
    chooseLanguage(m, "Fran\xE7" "ais");
    ASSERT_EQ(client::AppSettings().LngFilePath, "morvatel30_francais.lng");
    {
        SCOPED_TRACE("French from the menu");
        expectAll(true);
    }
    chooseLanguage(m, "English");
    SCOPED_TRACE("English again");
    expectAll(false);
}

TEST(LanguageWindows, NoWindowShowsTheOtherLanguagesWording) {
    ClientWindows w;
    const auto french = client::ReadLanguageFile("morvatel30_francais.lng");
    ASSERT_TRUE(french);
    // The texts whose French differs from their English, in each wording.
    std::set<std::string> englishOnly, frenchOnly;
    for (const std::string& line : french->Entries) {
        const std::size_t eq = line.find('=');
        const std::string key = line.substr(0, eq), text = line.substr(eq + 1);
        if (key != text) {
            englishOnly.insert(key);
            frenchOnly.insert(text);
        }
    }
    const auto sweep = [&](const std::set<std::string>& foreign, const char* language) {
        int seen = 0;
        for (const QString& shown : shownTexts()) {
            if (shown.isEmpty()) continue;
            ++seen;
            std::string text = client::S(shown);
            for (const char* suffix : {"...", " :"})
                if (text.ends_with(suffix) && foreign.count(text.substr(0, text.size() - std::strlen(suffix))))
                    text.resize(text.size() - std::strlen(suffix));
            if (text.size() > 1 && text.front() == ' ') text.erase(0, 1);
            EXPECT_FALSE(foreign.count(text)) << language << " window shows \"" << text << "\"";
        }
        EXPECT_GT(seen, 50);
    };
    sweep(frenchOnly, "an English");
    w.main().NouvellePartieLocal();
    chooseLanguage(w.main(), "Fran\xE7" "ais");
    ASSERT_EQ(client::AppSettings().LngFilePath, "morvatel30_francais.lng");
    sweep(englishOnly, "a French");
}
