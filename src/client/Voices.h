#pragma once
#include <array>
#include <string>

class Jeu;

namespace client {

// One media player that plays a sound file by name, asynchronously; a new file replaces the
// one playing.
class ClipPlayer {
public:
    virtual ~ClipPlayer() = default;
    virtual void Play(const std::string& file) = 0;
    virtual void Stop() = 0;
    // The music player's transport; clip players never need them.
    virtual void PlayCd() {}
    virtual void Pause() {}
    virtual void NextTrack() {}
    virtual void PreviousTrack() {}
    virtual bool Playing() const { return false; }
};

// The seats' voices: each seat speaks on its own player (MP0, MP1, MP2), so the three can talk
// at once. Nothing plays without sound devices or with sound switched off.
class Voices {
public:
    explicit Voices(std::array<ClipPlayer*, 3> players) : players_(players) {}

    bool SoundDevicesPresent = false;
    bool SoundOn = false;

    // Plays a file on player 0, 1 or 2 when sound is available, the name is not empty and
    // the file exists; other kinds do nothing.
    void EmetSon(int kind, const std::string& file);

    void DireDebuterPartie(const Jeu& game);
    void DireDomino(const Jeu& game);
    void DireBouder(const Jeu& game);
    void DireComment(const Jeu& game);
    void DireGagnerManche(const Jeu& game);
    void DireUnCochon(const Jeu& game);
    void DireDeuxCochons(const Jeu& game);

private:
    bool enabled() const { return SoundDevicesPresent && SoundOn; }
    // Plays clip k of a seat's block when k is inside it.
    void say(const Jeu& game, int seat, int block, int k);
    // A non-winner reacts (block `reaction`) with chance 2/5, else a winner speaks (`won`).
    void winnersOrOthers(const Jeu& game, int won, int reaction);
    std::array<ClipPlayer*, 3> players_;
};

} // namespace client
