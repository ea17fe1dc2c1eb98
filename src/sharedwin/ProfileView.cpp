#include <QSignalBlocker>
#include "sharedwin/ProfileView.h"

#include <QGridLayout>
#include <QPixmap>

#include "settings/Settings.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"
#include "sharedwin/Captions.h"
#include "sharedwin/QtColors.h"

namespace client {

namespace {
QLabel* label(QWidget* parent, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}
} // namespace

ProfileView::ProfileView(QWidget* parent, const QString& prefix, bool withVersion, const char* versionName)
    : QWidget(parent) {
    const QString p = prefix.isEmpty() ? QString("Label") : "Label" + prefix;
    Name = label(this, p + "3");
    Origin = label(this, p + "4");
    Editor = label(this, p + "5");
    if (withVersion) Version = label(this, versionName ? QString(versionName) : p + "6");
    QFont bold = Name->font();
    bold.setBold(true);
    Name->setFont(bold);
    Picture = label(this, "Image" + prefix + "1");
    Picture->setFixedSize(80, 80);
    Picture->setFrameShape(QFrame::StyledPanel);
    Picture->setScaledContents(true);
    auto* starRow = new QHBoxLayout;
    starRow->setSpacing(1);
    for (int k = 0; k < 6; ++k) {
        Stars[k] = label(this, QString("star%1%2").arg(prefix).arg(k + 1));
        // The sixth star marks a champion profile.
        Stars[k]->setText(k == 5 ? platform::Glyph(U'\U0000272A') : platform::Glyph(U'\U00002605'));
        Stars[k]->setStyleSheet(k == 5 ? "color: #c00000" : "color: #d0a000");
        starRow->addWidget(Stars[k]);
    }
    starRow->addStretch();
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(Picture, 0, 0, 5, 1, Qt::AlignTop);
    grid->addWidget(Name, 0, 1);
    grid->addWidget(Origin, 1, 1);
    grid->addWidget(Editor, 2, 1);
    grid->addLayout(starRow, 3, 1);
    if (Version) grid->addWidget(Version, 4, 1);
    grid->setColumnStretch(1, 1);
}

void ProfileView::Show(const ProfileCard& card) {
    Editor->setText(Q(WindowText("Edited by") + " " + card.Editor));
    Name->setText(Q(card.Name));
    Origin->setText(Q(WindowText("from") + " " + card.Origin));
    for (int k = 0; k < 6; ++k) Stars[k]->setVisible(StarShown(card.Stars, k + 1));
    if (Version) Version->setText(card.Version.empty() ? QString() : Q(WindowText("Version") + " : " + card.Version));
    QPixmap picture;
    if (!card.Picture.empty() && platform::FileExists(InProgramDir(card.Picture)))
        picture.load(platform::FileSystemPath(InProgramDir(card.Picture)));
    Picture->setPixmap(picture);
}

void ProfileView::ClearDetails() {
    Editor->clear();
    Name->clear();
    Origin->clear();
    Picture->setPixmap(QPixmap());
}

void FillProfileList(QListWidget* list, const std::string& selected) {
    // The caller shows the selected profile once the list is filled.
    const QSignalBlocker quiet(list);
    list->clear();
    for (const std::string& name : ListVrk()) list->addItem(Q(name));
    const auto found = list->findItems(Q(selected), Qt::MatchExactly);
    if (!found.isEmpty()) list->setCurrentItem(found.first());
    else if (list->count() > 0) list->setCurrentRow(0);
}

} // namespace client
