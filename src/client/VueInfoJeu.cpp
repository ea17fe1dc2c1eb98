#include "client/VueInfoJeu.h"

#include <QCloseEvent>

#include "client/BoundedLog.h"
#include "sharedwin/Captions.h"
#include "client/Forms.h"
#include "settings/Settings.h"
#include "client/Vuesc.h"
#include "sharedwin/QtColors.h"

namespace client {

TForm4::TForm4(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("TForm4");
    SetCaption(this, "Information");
    resize(299, 197);
    setMinimumSize(177, 50);
    setMaximumSize(595, 454);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    SetHint(Memo1, "Information about the game");
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->move(0, 0);
    BoundLog(*Memo1);
    FormCreate();
}

void TForm4::FormCreate() {
    ApplyTheme();
    if (QWidget* main = parentWidget()) {
        move(main->x() + 2, main->y() + main->height() - 222);
    }
    setVisible(AppSettings().DisplayInformation);
}

void TForm4::ApplyTheme() {
    const Settings& s = AppSettings();
    QPalette pal = Memo1->palette();
    pal.setColor(QPalette::Base, ToQColor(s.InfoBackColor));
    pal.setColor(QPalette::Text, ToQColor(s.InfoTextColor));
    Memo1->setPalette(pal);
    QFont f = Memo1->font();
    f.setPointSize(s.FontSize);
    Memo1->setFont(f);
}

void TForm4::AppendLine(const QString& line) { Memo1->appendPlainText(line); }

void TForm4::Clear() { Memo1->clear(); }

void TForm4::closeEvent(QCloseEvent* event) {
    if (TForm1* main = AppForms().Form1) main->Vuedesinformations1->setChecked(false);
    QWidget::closeEvent(event);
}

void TForm4::resizeEvent(QResizeEvent* event) {
    // The memo fills the client area (the classic sizes "width - 8, height - 27" took the
    // window frame off the outer size; Qt's sizes are the client area already).
    Memo1->resize(width(), height());
    QWidget::resizeEvent(event);
}

} // namespace client
