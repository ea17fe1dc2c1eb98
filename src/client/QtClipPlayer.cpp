#include "client/QtClipPlayer.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QUrl>

namespace client {

QMediaPlayer& QtClipPlayer::Player() {
    if (!player_) {
        output_ = std::make_unique<QAudioOutput>();
        player_ = std::make_unique<QMediaPlayer>();
        player_->setAudioOutput(output_.get());
    }
    return *player_;
}

void QtClipPlayer::Play(const std::string& file) {
    QMediaPlayer& p = Player();
    p.stop();
    p.setSource(QUrl::fromLocalFile(QString::fromLocal8Bit(file.c_str())));
    p.play();
}

void QtClipPlayer::Stop() {
    if (player_) player_->stop();
}

bool SoundDevicesAvailable() {
    return !QMediaDevices::audioOutputs().isEmpty() && !QMediaDevices::audioInputs().isEmpty();
}

} // namespace client
