#include "client/VueSon.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QProcess>
#include <QVBoxLayout>

#include "sharedwin/Captions.h"
#include "client/Forms.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/UiText.h"
#include "client/VueOptions.h"
#include "client/Vuesc.h"
#include "platform/Latin1.h"
#include "platform/TextFile.h"

namespace client {

namespace {
QToolButton* button(QWidget* parent, const char* name, const QString& text, const std::string& tip) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    SetHint(b, tip);
    return b;
}
} // namespace

TForm5::TForm5(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool) {
    setObjectName("TForm5");
    SetCaption(this, "Sound Control");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    SoundOn = button(this, "SoundOn", platform::Glyph(U'\U0001F50A'), "Switch the sound off");
    SoundOff = button(this, "SoundOff", platform::Glyph(U'\U0001F507'), "Switch the sound on");
    BitBtn1 = button(this, "BitBtn1", "...", "Sound options");
    top->addWidget(SoundOn);
    top->addWidget(SoundOff);
    top->addStretch();
    top->addWidget(BitBtn1);
    layout->addLayout(top);
    auto* transport = new QHBoxLayout;
    IPrev = button(this, "IPrev", platform::Glyph(U'\U000023EE'), "Previous");
    IPlay = button(this, "IPlay", platform::Glyph(U'\U000025B6'), "Play");
    IPause = button(this, "IPause", platform::Glyph(U'\U000023F8'), "Pause");
    IStop = button(this, "IStop", platform::Glyph(U'\U000023F9'), "Stop");
    INext = button(this, "INext", platform::Glyph(U'\U000023ED'), "Next");
    IEject = button(this, "IEject", platform::Glyph(U'\U000023CF'), "Eject");
    for (QToolButton* b : {IPrev, IPlay, IPause, IStop, INext, IEject}) transport->addWidget(b);
    layout->addLayout(transport);
    connect(SoundOn, &QToolButton::clicked, this, &TForm5::SoundOnClick);
    connect(SoundOff, &QToolButton::clicked, this, &TForm5::SoundOffClick);
    connect(IPlay, &QToolButton::clicked, this, &TForm5::IPlayClick);
    connect(IPause, &QToolButton::clicked, this, &TForm5::IPauseClick);
    connect(IStop, &QToolButton::clicked, this, &TForm5::IStopClick);
    connect(INext, &QToolButton::clicked, this, &TForm5::INextClick);
    connect(IPrev, &QToolButton::clicked, this, &TForm5::IPrevClick);
    connect(IEject, &QToolButton::clicked, this, &TForm5::IEjectClick);
    connect(BitBtn1, &QToolButton::clicked, this, &TForm5::BitBtn1Click);
    FormCreate();
}

ClipPlayer& TForm5::music() const { return *AppForms().Form1->Music; }

void TForm5::FormCreate() {
    TForm1* main = AppForms().Form1;
    if (main) move(main->x() + 450, main->y() + 30);
    const bool devices = main && main->Voice.SoundDevicesPresent;
    SoundOn->setEnabled(devices);
    SoundOff->setEnabled(devices);
    FormActivate();
    UpdateButton();
    setVisible(AppSettings().DisplaySoundForm && devices);
}

void TForm5::FormActivate() {
    const bool on = AppForms().Form1 && AppForms().Form1->Voice.SoundOn;
    SoundOn->setVisible(on);
    SoundOff->setVisible(!on);
}

void TForm5::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormActivate();
}

void TForm5::SoundOffClick() {
    AppForms().Form1->Voice.SoundOn = true;
    AppSettings().PutSound = true;
    SoundOn->show();
    SoundOff->hide();
    SaveIniFile();
    UpdateButton();
}

void TForm5::SoundOnClick() {
    AppForms().Form1->Voice.SoundOn = false;
    AppSettings().PutSound = false;
    SoundOn->hide();
    SoundOff->show();
    if (TForm8* options = AppForms().Form8) options->CheckBox3->setChecked(!AppSettings().PutSound);
    SaveIniFile();
    music().Stop();
    UpdateButton();
}

void TForm5::IPlayClick() {
    const Settings& s = AppSettings();
    if (s.SoundMode == 1) {
        if (!s.GameSoundPath.empty() && platform::FileExists(s.GameSoundPath)) music().Play(s.GameSoundPath);
    } else if (s.SoundMode == 2) {
        music().PlayCd();
    }
    UpdateButton();
}

void TForm5::IPauseClick() {
    music().Pause();
    UpdateButton();
}

// Stop stops and Next goes to the next track.
void TForm5::IStopClick() {
    music().Stop();
    UpdateButton();
}

void TForm5::INextClick() {
    music().NextTrack();
    UpdateButton();
}

void TForm5::IPrevClick() {
    music().PreviousTrack();
    UpdateButton();
}

void TForm5::IEjectClick() {
    QProcess::startDetached("eject", {});
    UpdateButton();
}

void TForm5::BitBtn1Click() {
    TForm8* options = AppForms().Form8;
    if (!options) return;
    options->ShowPage(TForm8::RowSound);
    options->UpdateComponent();
    options->UpdateComponent2();
    options->AccountEdited = false;
    options->show();
    options->raise();
}

void TForm5::UpdateButton() {
    TForm1* main = AppForms().Form1;
    if (!main) return;
    const Settings& s = AppSettings();
    const bool sound = main->Voice.SoundOn && main->Voice.SoundDevicesPresent;
    const bool a = sound && s.SoundMode > 0;
    const bool playing = music().Playing();
    IPlay->setEnabled(a && !playing);
    IPause->setEnabled(a);
    IStop->setEnabled(a && playing);
    IPrev->setEnabled(a && playing);
    INext->setEnabled(a && playing);
    IEject->setEnabled(sound && s.SoundMode == 2);
}

void TForm5::closeEvent(QCloseEvent* event) {
    if (TForm1* main = AppForms().Form1) main->Controleduson1->setChecked(false);
    QWidget::closeEvent(event);
}

} // namespace client
