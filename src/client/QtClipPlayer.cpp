#include "client/QtClipPlayer.h"

#include "platform/ProgramFolder.h"

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
    p.setSource(QUrl::fromLocalFile(platform::FileSystemPath(file)));
    p.play();
}

void QtClipPlayer::Stop() {
    if (player_) player_->stop();
}

void QtClipPlayer::PlayCd() {
    // An audio CD through the media back end's CD source, where it has one.
    QMediaPlayer& p = Player();
    p.stop();
    p.setSource(QUrl("cdda://"));
    p.play();
}

void QtClipPlayer::Pause() {
    if (player_) player_->pause();
}

void QtClipPlayer::NextTrack() {
    // One file is one track: the next track is its end.
    if (player_) player_->setPosition(player_->duration());
}

void QtClipPlayer::PreviousTrack() {
    if (player_) player_->setPosition(0);
}

bool QtClipPlayer::Playing() const {
    return player_ && player_->playbackState() == QMediaPlayer::PlayingState;
}

bool SoundDevicesAvailable() {
    return !QMediaDevices::audioOutputs().isEmpty() && !QMediaDevices::audioInputs().isEmpty();
}

} // namespace client
