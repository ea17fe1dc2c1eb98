// A theme applied to a running game draws the table exactly as a game started in that theme.
#include <QMenu>

#include "ClientFixture.h"
#include "ScriptedUser.h"
#include "client/VueOptions.h"

namespace {

const char* const kShippedThemes[] = {"Standard Theme", "Midnight Blue", "Wood Table"};

// A program folder whose settings name `theme` as the current one.
std::function<void(TempFolder&)> StartIn(const std::string& theme) {
    return [theme](TempFolder& f) { f.write("param.ini", "[General]\r\nTheme file path=" + theme + ".thm\r\n"); };
}

enum class Route { ThemesPage, ThemeMenu };

void Apply(client::TForm1& main, const std::string& theme, Route route) {
    if (route == Route::ThemesPage) {
        client::TForm8& o = *client::AppForms().Form8;
        o.Update_DonneesT();
        const auto found = o.ListBoxC2->findItems(QString::fromStdString(theme), Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << theme;
        o.ListBoxC2->setCurrentItem(found.first());
        o.BitBtnC1->click();
        return;
    }
    for (QAction* a : main.thmes1->actions())
        if (a->text() == QString::fromStdString(theme)) {
            a->trigger();
            return;
        }
    FAIL() << "no menu item " << theme;
}

// The user plays a tile and the computer seats answer, until the user is to move again.
void PlayARound(client::TForm1& main) {
    ScriptedUser user{main};
    user.playOnce();
    for (int step = 0; step < 400; ++step) {
        main.Timer1Timer();
        const Jeu& g = *main.CurrentGame;
        if (g.RoundOver || (g.SeatToMove == 1 && g.Seats[1].Waiting && !g.Seats[1].Chosen)) break;
    }
}

// Picks the first fitting tile (its ghost and drop boxes show) and copies the surface.
QImage PickAndCopy(client::TForm1& main) {
    ScriptedUser user{main};
    const int i = user.fittingTile();
    main.FormMouseDown(user.slotCentre(i).x(), user.slotCentre(i).y());
    return main.Surface().ToQImage().copy();
}

int DifferingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height() + 1;
    int differ = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) differ += a.pixel(x, y) != b.pixel(x, y);
    return differ;
}

} // namespace

TEST(ThemeSwitch, ARunningTableDrawsAsOneStartedInTheAppliedTheme) {
    for (Route route : {Route::ThemesPage, Route::ThemeMenu})
        for (int t = 0; t < 3; ++t) {
            const std::string theme = kShippedThemes[t];
            const std::string before = kShippedThemes[(t + 1) % 3];
            SCOPED_TRACE(before + " -> " + theme + (route == Route::ThemesPage ? " (themes page)" : " (menu)"));
            QImage applied, started, appliedAtOnce, startedAtOnce;
            {
                ClientWindows w(true, 1024, 768, StartIn(before));
                platform::SetFixedSeed(11);
                playToAPick(w.main());
                const QImage old = w.main().Surface().ToQImage().copy();
                Apply(w.main(), theme, route);
                EXPECT_GT(DifferingPixels(old, w.main().Surface().ToQImage()), 10000) << "the theme shows";
                appliedAtOnce = w.main().Surface().ToQImage().copy();
                EXPECT_EQ(client::AppSettings().ThemeFilePath, theme + ".thm");
                EXPECT_TRUE(w.messages.texts.empty());
                PlayARound(w.main());
                applied = PickAndCopy(w.main());
                // A later full repaint shows the same.
                w.main().FormPaint();
                EXPECT_EQ(DifferingPixels(applied, w.main().Surface().ToQImage()), 0) << "after a repaint";
            }
            {
                ClientWindows w(true, 1024, 768, StartIn(theme));
                platform::SetFixedSeed(11);
                playToAPick(w.main());
                w.main().FormPaint();
                startedAtOnce = w.main().Surface().ToQImage().copy();
                PlayARound(w.main());
                started = PickAndCopy(w.main());
            }
            EXPECT_EQ(DifferingPixels(appliedAtOnce, startedAtOnce), 0) << "at once: pixels that differ from a fresh start";
            EXPECT_EQ(DifferingPixels(applied, started), 0) << "pixels that differ from a fresh start";
        }
}
