// Every button and label of every window shows its whole text, in each shipped language.
#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <set>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

#include "ClientFixture.h"
#include "client/VueOptions.h"
#include "client/VuePreferences.h"
#include "sharedwin/QtColors.h"

namespace {

using client::AppForms;

void chooseLanguage(client::TForm1& main, const std::string& name) {
    for (QAction* a : main.Language1->actions())
        if (client::S(a->text()) == name) return a->trigger();
    ADD_FAILURE() << "no language item " << name;
}

// The width a control needs to show its whole text: the widest line, its icon, and the
// style's margins (a push button's own minimum width is not counted: it is no text).
int neededWidth(QWidget* w, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split('\n')) widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
    if (auto* box = qobject_cast<QCheckBox*>(w)) return box->sizeHint().width();
    if (auto* radio = qobject_cast<QRadioButton*>(w)) return radio->sizeHint().width();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
        return widest + icon + w->style()->pixelMetric(QStyle::PM_ButtonMargin) +
               2 * w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    }
    auto* l = static_cast<QLabel*>(w);
    return widest + 2 * l->margin() + 2 * l->frameWidth() + std::max(0, l->indent());
}

// The controls of a window that show a text narrower than it needs ("window: text").
void collectCut(QWidget* window, std::set<std::string>& cut) {
    QCoreApplication::processEvents();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !w->isVisibleTo(window)) continue;
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        else if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap() && l->pixmap().isNull()) text = l->text();
        else continue;
        text.remove('&');
        if (text.isEmpty() || Qt::mightBeRichText(text)) continue;
        const int needed = neededWidth(w, text);
        if (w->width() < needed)
            cut.insert(window->objectName().toStdString() + ": " + client::S(text) + " (" +
                       std::to_string(w->width()) + " < " + std::to_string(needed) + ")");
    }
}

std::set<std::string> cutTexts(client::TForm1& main) {
    std::set<std::string> cut;
    std::vector<QWidget*> windows{&main};
    for (QWidget* w : main.findChildren<QWidget*>())
        if (w->isWindow() && !qobject_cast<QMenu*>(w) && w->objectName().startsWith("TForm")) windows.push_back(w);
    for (QWidget* window : windows) {
        const bool shown = window->isVisible();
        window->show();
        if (auto* options = qobject_cast<client::TForm8*>(window)) {
            for (int row = 0; row < client::TForm8::RowCount; ++row) {
                options->ShowPage(row);
                collectCut(window, cut);
            }
        } else if (auto* editor = qobject_cast<client::TForm3*>(window)) {
            for (int page = 0; page < 4; ++page) {
                editor->ShowPage(page);
                collectCut(window, cut);
            }
        } else {
            collectCut(window, cut);
        }
        if (!shown) window->hide();
    }
    return cut;
}

} // namespace

TEST(TextWidths, EveryButtonAndLabelShowsItsWholeTextInBothLanguages) {
    ClientWindows w;
    for (const char* language : {"English", "Fran\xE7" "ais"}) {
        SCOPED_TRACE(language);
        chooseLanguage(w.main(), language);
        const std::set<std::string> cut = cutTexts(w.main());
        for (const std::string& c : cut) ADD_FAILURE() << "cut off: " << c;
    }
}
