#include "client/VueDownloadsc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QVBoxLayout>
#include <limits>

#include "sharedwin/Captions.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/Shell.h"
#include "client/UiText.h"
#include "client/WindowHooks.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"

namespace client {

namespace {
constexpr const char* DownloadFailedText = "Impossible to download this plug-in.";
constexpr const char* UnpackFailedText =
    "Impossible to automatically unzip the file you downloaded. Please do it by yourself.";
constexpr const char* EmptyArchiveText = "Impossible to install this plug-in.";

int progressValue(long long bytes) {
    return static_cast<int>(std::clamp<long long>(bytes, 0, std::numeric_limits<int>::max()));
}

bool hasExtension(const std::string& path, const char* upperExtension) {
    return QFileInfo(Q(path)).fileName().toUpper().endsWith(QLatin1String(upperExtension));
}
} // namespace

TForm10::TForm10(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("TForm10");
    setAttribute(Qt::WA_DeleteOnClose);
    SetCaption(this, "Downloading...");
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setMinimum(0);
    ProgressBar1->setMaximum(0);
    ProgressBar1->setValue(0);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    resize(360, 80);
    if (owner) move(owner->geometry().center() - rect().center());

    NMHTTP1 = new platform::HttpComponent("NMHTTP1", this);
    NMHTTP1->SetMaxBody(MaxDownloadBytes);
    NMHTTP1->SetDeadline(DownloadDeadlineMs);
    connect(NMHTTP1, &platform::HttpComponent::Success, this, &TForm10::NMHTTP1Success);
    connect(NMHTTP1, &platform::HttpComponent::Failure, this, &TForm10::NMHTTP1Failure);
    connect(NMHTTP1, &platform::HttpComponent::Progress, this, &TForm10::NMHTTP1PacketRecvd);
    UnpackTimer = new QTimer(this);
    UnpackTimer->setObjectName("UnpackTimer");
    UnpackTimer->setInterval(0);
    connect(UnpackTimer, &QTimer::timeout, this, &TForm10::unpackStep);
}

// Closing the window while an archive unpacks takes back what it wrote (ZipUnpacker).
TForm10::~TForm10() = default;

void TForm10::DownloadFile() {
    ProgressBar1->setMaximum(progressValue(ExpectedSize));
    const Settings& s = AppSettings();
    if (s.IsProxy) NMHTTP1->SetProxy(s.ProxyAddress, s.ProxyPort);
    else NMHTTP1->ClearProxy();
    if (LocalPath.empty() || !NMHTTP1->Get(Url)) {
        platform::ShowMessage(Ui(DownloadFailedText), platform::SiteCaption);
        finish(Outcome::DownloadFailed);
    }
}

void TForm10::NMHTTP1PacketRecvd(qint64 done, qint64 total) {
    // The size the server sends beats the page's announcement.
    if (total > 0 && progressValue(total) != ProgressBar1->maximum()) ProgressBar1->setMaximum(progressValue(total));
    if (done > ProgressBar1->maximum() && ProgressBar1->maximum() > 0) ProgressBar1->setMaximum(progressValue(done));
    ProgressBar1->setValue(std::min(progressValue(done), ProgressBar1->maximum()));
}

void TForm10::NMHTTP1Failure(const QString&) {
    platform::ShowMessage(Ui(DownloadFailedText), platform::SiteCaption);
    finish(Outcome::DownloadFailed);
}

void TForm10::NMHTTP1Success(const QByteArray& body) {
    platform::ChangeToProgramFolder();
    // Byte for byte, through a temporary file: the old file goes only when the new one is
    // complete.
    QDir().mkpath(QFileInfo(platform::FileSystemPath(LocalPath)).path());
    QSaveFile out(platform::FileSystemPath(LocalPath));
    if (!out.open(QIODevice::WriteOnly) || out.write(body) != body.size() || !out.commit()) {
        platform::ShowMessage(Ui(DownloadFailedText), platform::SiteCaption);
        return finish(Outcome::DownloadFailed);
    }
    if (ProgressBar1->maximum() > 0) ProgressBar1->setValue(ProgressBar1->maximum());

    if (hasExtension(LocalPath, ".EXE")) {
        // A program fetched for a page is only saved. The update is handed to the desktop.
        if (!IsUpdate) return finish(Outcome::Saved);
        if (!OpenWithDesktop(LocalPath)) {
            platform::ShowMessage(Ui(UnpackFailedText), platform::SiteCaption);
            return finish(Outcome::UnpackFailed);
        }
        const bool installer = QFileInfo(Q(LocalPath)).fileName().toUpper() == "MORVATELSETUP.EXE";
        finish(Outcome::Installed);
        if (installer) EndClientNow();
        return;
    }
    if (hasExtension(LocalPath, ".ZIP")) {
        unpacker_ = std::make_unique<platform::ZipUnpacker>(LocalPath, ExtractBaseDir, ExtractOnlyBelow);
        UnpackTimer->start();
        return;
    }
    finish(Outcome::Saved);
}

void TForm10::unpackStep() {
    if (!unpacker_ || unpacker_->Step()) return;
    UnpackTimer->stop();
    const platform::ZipResult result = unpacker_->Outcome().Result;
    unpacker_.reset();
    switch (result) {
    case platform::ZipResult::Empty:
        platform::ShowMessage(Ui(EmptyArchiveText), platform::SiteCaption);
        return finish(Outcome::EmptyArchive);
    case platform::ZipResult::Extracted:
        RefreshDownloadedLists();
        QFile::remove(platform::FileSystemPath(LocalPath));
        return finish(Outcome::Extracted);
    default:
        // The archive stays, so the player can unpack it by hand.
        platform::ShowMessage(Ui(UnpackFailedText), platform::SiteCaption);
        return finish(Outcome::UnpackFailed);
    }
}

void TForm10::finish(Outcome outcome) {
    if (finished_) return;
    finished_ = true;
    emit Finished(outcome);
    close();
}

} // namespace client
