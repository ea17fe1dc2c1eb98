#pragma once
#include <QLabel>
#include <QListWidget>
#include <QWidget>
#include <array>
#include <string>

#include "settings/ProfileCard.h"

// The details of one player profile as the options window and the player list show them:
// editor, name, origin and version labels, six stars and the picture. The labels keep the
// names the windows give them (Label5 / LabelB5 ...).
namespace client {

class ProfileView : public QWidget {
    Q_OBJECT
public:
    // `prefix` starts every control's name: "" gives Label3, star1, Image1; "B" gives
    // LabelB3, starB1, ImageB1. withVersion adds the version label (Label6 or LabelB6).
    ProfileView(QWidget* parent, const QString& prefix, bool withVersion, const char* versionName = nullptr);

    void Show(const ProfileCard& card);
    // An unreadable profile: editor, name, origin and picture emptied; the stars and
    // the version stay as they were.
    void ClearDetails();

    QLabel *Editor, *Name, *Origin, *Version = nullptr, *Picture;
    std::array<QLabel*, 6> Stars{};
};

// Fills a list with the profile files of "players" and selects `selected`, or the first
// file when it is not listed.
void FillProfileList(QListWidget* list, const std::string& selected);

} // namespace client
