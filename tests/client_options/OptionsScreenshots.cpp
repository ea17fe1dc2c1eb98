// Saves pictures of every page of the options window, of the theme editor's four pages and
// of the player list, in English and in French, for people to look at.
// Usage: options_screenshots OUTPUT_FOLDER
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "client/ClientFixture.h"
#include "settings/Language.h"
#include "client/VueListeJoueurs.h"
#include "client/VueOptions.h"
#include "client/VuePreferences.h"

namespace {
void save(QWidget& w, const QString& path) {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    w.grab().save(path);
    std::printf("%s\n", path.toLocal8Bit().constData());
}

void shoot(const QString& out, const QString& language) {
    client::TForm8& o = *client::AppForms().Form8;
    o.OpenFromMenu();
    for (int row = 0; row < client::TForm8::RowCount; ++row) {
        o.ShowPage(row);
        save(o, QString("%1/%2-options-%3.png").arg(out, language).arg(row, 2, 10, QChar('0')));
    }
    o.close();
    o.ShowPage(0);
    o.Update_DonneesT();
    o.ListBoxC2->setCurrentRow(0);
    o.ListBoxC2DblClick();
    client::TForm3& e = *client::AppForms().Form3;
    for (int page = 0; page < 4; ++page) {
        e.ShowPage(page);
        save(e, QString("%1/%2-editor-%3.png").arg(out, language).arg(page));
    }
    e.close();
    client::TForm9& list = *client::AppForms().Form9;
    list.Mode = 1;
    list.CurrentProfile = "bruno heavy.vrk";
    list.open();
    save(list, QString("%1/%2-players.png").arg(out, language));
    list.close();
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? argv[1] : "screenshots";
    QDir().mkpath(out);
    ClientWindows windows;
    shoot(out, "en");
    client::SwitchLanguage("morvatel30_francais.lng", "The selected LNG file is erroneous or non-existent");
    shoot(out, "fr");
    return 0;
}
