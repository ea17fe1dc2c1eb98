// The server's small windows: game information, about box, statistics and chat.
#include <QCloseEvent>
#include <QGridLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "platform/Latin1.h"
#include "net/GameLine.h"
#include "platform/MessageBox.h"
#include "platform/SiteUrl.h"
#include "server/ServerLanguage.h"
#include "server/ServerSettings.h"
#include "server/ServerWindows.h"
#include "server/Vuesc.h"

namespace server {

using platform::Q;
using platform::S;

namespace {
} // namespace

// Game information ---------------------------------------------------------------------------

TForm4::TForm4(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("TForm4");
    setWindowTitle("Informations");
    resize(299, 197);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setMaximumBlockCount(TForm1::HistoryLineLimit);
    FormCreate();
}

void TForm4::FormCreate() {
    if (QWidget* main = parentWidget()) move(main->x() - 80, main->y() + 370);
    hide();
}

void TForm4::closeEvent(QCloseEvent* event) {
    if (TForm1* main = AppForms().Form1) main->Vuedesinformations1->setChecked(false);
    QWidget::closeEvent(event);
}

void TForm4::resizeEvent(QResizeEvent* event) {
    // Qt's sizes are the client area already: the memo fills it.
    Memo1->resize(width(), height());
    QWidget::resizeEvent(event);
}

// About box ----------------------------------------------------------------------------------

TForm2::TForm2(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("TForm2");
    setWindowTitle("A propos de MORVATEL");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("MVT Dedicated Server 1.6", this));
    Label5 = new QLabel("VOREK GAMES", this);
    Label5->setObjectName("Label5");
    Label5->setCursor(Qt::PointingHandCursor);
    Label5->installEventFilter(this);
    layout->addWidget(Label5);
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    layout->addWidget(Button1);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

void TForm2::ShowModal() {
    setModal(true);
    show();
}

void TForm2::Label5Click() {
    OpenInBrowserOrTell(platform::SiteBaseUrl());
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label5 && event->type() == QEvent::MouseButtonRelease) Label5Click();
    return QDialog::eventFilter(watched, event);
}

void TForm2::closeEvent(QCloseEvent* event) {
    if (QWidget* main = parentWidget()) {
        main->setEnabled(true);
        main->activateWindow();
    }
    hide();
    event->accept();
}

// Statistics ---------------------------------------------------------------------------------

TForm6::TForm6(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("TForm6");
    setWindowTitle("Statistiques");
    auto* grid = new QGridLayout(this);
    const auto row = [&](int r, QLabel*& caption, const char* name) {
        caption = new QLabel(this);
        grid->addWidget(caption, r, 0);
        auto* value = new QLabel("0", this);
        value->setObjectName(name);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(value, r, 1);
        return value;
    };
    Played = row(0, Label1, "Played");
    Won = row(1, Label2, "Won");
    Lost = row(2, Label3, "Lost");
    PigsGiven = row(3, Label4, "PigsGiven");
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton("Reset", this);
    Button2->setObjectName("Button2");
    grid->addWidget(Button2, 4, 0);
    grid->addWidget(Button1, 4, 1);
    connect(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
    ApplyLanguage();
}

void TForm6::ApplyLanguage() {
    setWindowTitle(Q(Srv("Statistics")));
    Label1->setText(Q(Srv("Number of played matches") + " :"));
    Label2->setText(Q(Srv("Number of won matches") + " :"));
    Label3->setText(Q(Srv("Number of lost matches") + " :"));
    Label4->setText(Q(Srv("Number of given pigs") + " :"));
    Button2->setText(Q(Srv("Reset")));
}

void TForm6::ShowModal() {
    UpdateStat();
    setModal(true);
    show();
    FormActivate();
}

bool TForm6::UpdateStat() {
    TForm1* main = AppForms().Form1;
    auto read = TryReadStatisticsFile(main ? main->StatsFilePath : StatsFileName);
    if (!read) return false;
    AppStatistics() = *read;
    return true;
}

void TForm6::FormActivate() {
    const Statistics& s = AppStatistics();
    Played->setNum(s.Played);
    Won->setNum(s.Won);
    Lost->setNum(s.Lost);
    PigsGiven->setNum(s.PigsGiven);
}

void TForm6::Button2Click() {
    AppStatistics() = Statistics{};
    if (TForm1* main = AppForms().Form1) {
        // A running game carries its own copy of the counters: it starts from zero too.
        if (main->CurrentGame) main->CurrentGame->Stats = Statistics{};
        main->SaveStaFile();
    }
}

void TForm6::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

// Chat ---------------------------------------------------------------------------------------

TForm12::TForm12(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("TForm12");
    setWindowTitle("Message");
    auto* layout = new QVBoxLayout(this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setMaximumBlockCount(TForm1::HistoryLineLimit);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(200);
    Button1 = new QPushButton("Send", this);
    Button1->setObjectName("Button1");
    layout->addWidget(Memo1);
    layout->addWidget(Edit1);
    layout->addWidget(Button1);
    connect(Button1, &QPushButton::clicked, this, &TForm12::Button1Click);
}

void TForm12::AddLine(const std::string& line, bool show) {
    setVisible(show);
    Memo1->appendPlainText(Q(line));
}

void TForm12::Button1Click() {
    TForm1* main = AppForms().Form1;
    const std::string text = S(Edit1->text());
    if (!main || !main->CurrentGame || text.empty()) return;
    // Only the first guest hears the server's own chat.
    main->serverSendText(0, net::ChatLine(main->CurrentGame->NetSeat, text));
    Memo1->appendPlainText(Q(main->CurrentGame->Seats[1].Name + ": " + text));
    Edit1->clear();
}

} // namespace server
