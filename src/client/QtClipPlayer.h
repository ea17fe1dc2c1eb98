#pragma once
#include <QAudioOutput>
#include <QMediaPlayer>
#include <memory>

#include "client/Voices.h"

namespace client {

// A clip player over QMediaPlayer, made on the first clip so that a machine without sound
// never starts the media back end; its errors are silent.
class QtClipPlayer : public ClipPlayer {
public:
    void Play(const std::string& file) override;
    void Stop() override;
    void PlayCd() override;
    void Pause() override;
    void NextTrack() override;
    void PreviousTrack() override;
    bool Playing() const override;
    // The player, made on demand.
    QMediaPlayer& Player();

private:
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
};

// At least one audio output and one audio input device exist.
bool SoundDevicesAvailable();

} // namespace client
