#pragma once
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>

#include "platform/HttpComponent.h"
#include "platform/ZipUnpacker.h"

namespace client {

// "Downloading...": fetches one file of the web site, saves it byte for byte (through a
// temporary file, so a failed transfer leaves nothing), then unpacks it when it is a zip
// archive (in steps on the event loop, so the window keeps answering) and refreshes the
// lists showing downloaded files. A downloaded program is never
// run; only the update the player accepted (IsUpdate) is handed to the desktop, after
// which the client ends. One window per download; it deletes itself when it closes.
class TForm10 : public QWidget {
    Q_OBJECT
public:
    static constexpr qint64 MaxDownloadBytes = qint64(64) << 20;
    // A download ends within this in all, however its bytes trickle: ten minutes let the
    // largest file through at about 110 KB/s.
    static constexpr int DownloadDeadlineMs = 10 * 60 * 1000;

    enum class Outcome { Saved, Extracted, Installed, DownloadFailed, UnpackFailed, EmptyArchive };

    explicit TForm10(QWidget* owner);
    ~TForm10() override;

    // Set by the creator before DownloadFile.
    std::string Url;             // already encoded
    std::string LocalPath;       // where the file is saved
    long long ExpectedSize = 0;  // bytes announced by the page, 0 when none
    std::string ExtractBaseDir;  // where an archive is unpacked
    std::string ExtractOnlyBelow;  // the folder below it every entry must land in ("" any)
    bool IsUpdate = false;       // the client's own installer, accepted by the player

    void DownloadFile();
    void NMHTTP1Success(const QByteArray& body);
    void NMHTTP1Failure(const QString& reason);
    void NMHTTP1PacketRecvd(qint64 done, qint64 total);

    QLabel* Label1;
    QProgressBar* ProgressBar1;
    platform::HttpComponent* NMHTTP1;
    QTimer* UnpackTimer;  // runs the unpacking one step per turn of the event loop

signals:
    // Emitted once, just before the window closes.
    void Finished(client::TForm10::Outcome outcome);

private:
    void unpackStep();
    void finish(Outcome outcome);
    bool finished_ = false;
    std::unique_ptr<platform::ZipUnpacker> unpacker_;
};

} // namespace client
