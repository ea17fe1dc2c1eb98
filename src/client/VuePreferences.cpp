#include "client/VuePreferences.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPixmap>
#include <QTabBar>
#include <QVBoxLayout>

#include "sharedwin/Captions.h"
#include "sharedwin/Controls.h"
#include "client/Forms.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "settings/ThemeFile.h"
#include "settings/Themes.h"
#include "client/UiText.h"
#include "client/VueInfoJeu.h"
#include "client/VueOptions.h"
#include "client/VueSon.h"
#include "client/Vuesc.h"
#include "client/WindowHooks.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

namespace client {

namespace {

ColorChooser& chooser() {
    static ColorChooser c = [](int initial, QWidget* parent) -> std::optional<int> {
        const QColor picked = QColorDialog::getColor(ToQColor(initial), parent);
        if (!picked.isValid()) return std::nullopt;
        return FromQColor(picked);
    };
    return c;
}

struct Swatch {
    const char* name;
    const char* key;
};
// By slot of the working copy.
const Swatch kSwatches[TForm3::ColourCount] = {
    {"Panel1", "Table"},           {"Panel2", "Marked faces"},       {"Panel3", "Dots of dominoes"},
    {"Panel4", "Back of dominoes"}, {"Panel5", "Border of dominoes"}, {"Panel15", "Back Border of dominoes"},
    {"Panel6", "Normal text"},     {"Panel7", "Highlighted text"},   {"Panel8", "Selected domino"},
    {"Panel11", "Text color"},     {"Panel12", "Background color"},
};

// The theme settings by slot of the working copy.
int ThemeValues::* const kSettings[TForm3::ColourCount] = {
    &ThemeValues::TableColor,          &ThemeValues::DominoesColor,     &ThemeValues::DominoesDotsColor,
    &ThemeValues::DominoesBackColor,   &ThemeValues::DominoesBorderColor, &ThemeValues::BackDominoesBorder,
    &ThemeValues::NormalTextColor,     &ThemeValues::LightedTextColor,  &ThemeValues::SelectedDominoColor,
    &ThemeValues::InfoTextColor,       &ThemeValues::InfoBackColor,
};
std::string ThemeValues::* const kTextures[TForm3::TextureCount] = {
    &ThemeValues::BackgroundTexturePath, &ThemeValues::DominoesTexturePath, &ThemeValues::BackDominoesTexturePath};

// The editor's own theme when a file cannot be read.
constexpr std::array<int, TForm3::ColourCount> kBuiltIn = {0x408000, 0xFFFFFF, 0, 0, 0x808080, 0x808080,
                                                           0x804000, 0xFFFFFF, 0x00FF00, 0, 0xFFFFFF};

const char* const kPages[] = {"Colors", "Textures", "Text", "Themes"};
const char* const kTextureItems[] = {"Table texture", "Dominoes texture", "Dominoes back texture"};

// A texture path that names an existing file, or empty.
std::string existing(const std::string& path) {
    return !path.empty() && platform::FileExists(InProgramDir(path)) ? path : std::string();
}

QLabel* captionLabel(QWidget* parent, const char* key, const char* suffix = "") {
    auto* l = Captioned<QLabel>(parent, "", key, suffix);
    return l;
}
} // namespace

ColorChooser SetColorChooser(ColorChooser c) {
    ColorChooser previous = std::move(chooser());
    chooser() = std::move(c);
    return previous;
}

QString TForm3::NoTextureEntry() { return " (" + Q(Ui("No texture")) + ")"; }

TForm3::TForm3(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("TForm3");
    SetCaption(this, "Theme Edition");

    // The white side bar selects the pages.
    auto* sideBar = new QWidget(this);
    sideBar->setObjectName("Panel13");
    sideBar->setAutoFillBackground(true);
    QPalette white = sideBar->palette();
    white.setColor(QPalette::Window, Qt::white);
    sideBar->setPalette(white);
    sideBar->setFixedWidth(110);
    auto* side = new QVBoxLayout(sideBar);
    const char* sideNames[] = {"StaticText2", "StaticText3", "StaticText5", "StaticText6"};
    const QStyle::StandardPixmap icons[] = {QStyle::SP_DesktopIcon, QStyle::SP_DirIcon,
                                            QStyle::SP_FileDialogContentsView, QStyle::SP_DriveFDIcon};
    for (int i = 0; i < 4; ++i) {
        SideBar[i] = Named<QPushButton>(sideBar, sideNames[i]);
        SideBar[i]->setFlat(true);
        SideBar[i]->setIcon(style()->standardIcon(icons[i]));
        SetCaption(SideBar[i], kPages[i]);
        side->addWidget(SideBar[i]);
        connect(SideBar[i], &QPushButton::clicked, this, [this, i] { ShowPage(i); });
    }
    side->addStretch();

    PageControl1 = Named<QTabWidget>(this, "PageControl1");
    PageControl1->tabBar()->hide();

    // Page 0: the table's colours.
    auto* colours = new QWidget;
    auto* colourGrid = new QGridLayout(colours);
    auto swatch = [&](int slot, QWidget* page) {
        Swatches[slot] = Named<QPushButton>(page, kSwatches[slot].name);
        Swatches[slot]->setFixedSize(40, 20);
        connect(Swatches[slot], &QPushButton::clicked, this, [this, slot] { PanelClick(slot); });
    };
    for (int slot = Table; slot <= SelectedDomino; ++slot) {
        swatch(slot, colours);
        colourGrid->addWidget(captionLabel(colours, kSwatches[slot].key), slot, 0);
        colourGrid->addWidget(Swatches[slot], slot, 1);
    }
    colourGrid->setColumnStretch(0, 1);
    colourGrid->setRowStretch(SelectedDomino + 1, 1);

    // Page 1: textures.
    auto* textures = new QWidget;
    ComboBox1 = Named<QComboBox>(textures, "ComboBox1");
    for (int i = 0; i < TextureCount; ++i) ComboBox1->addItem(QString());
    FileListBox1 = Named<QListWidget>(textures, "FileListBox1");
    StaticText1 = Named<QLabel>(textures, "StaticText1");
    Image1 = Named<QLabel>(textures, "Image1");
    Image1->setFixedSize(96, 96);
    Image1->setScaledContents(true);
    Image1->setFrameShape(QFrame::StyledPanel);
    BitBtn6 = IconButton(textures, "BitBtn6", QStyle::SP_TrashIcon, "Delete selected texture");
    BitBtn8 = IconButton(textures, "BitBtn8", QStyle::SP_ArrowDown, "Download textures");
    BitBtn8->setEnabled(false);  // until the web site has answered
    auto* preview = new QVBoxLayout;
    preview->addWidget(captionLabel(textures, "Selected texture"));
    preview->addWidget(StaticText1);
    preview->addWidget(Image1);
    preview->addStretch();
    auto* textureButtons = new QHBoxLayout;
    textureButtons->addWidget(BitBtn6);
    textureButtons->addWidget(BitBtn8);
    textureButtons->addStretch();
    preview->addLayout(textureButtons);
    auto* textureRow = new QHBoxLayout;
    textureRow->addWidget(FileListBox1, 1);
    textureRow->addLayout(preview);
    auto* texturePage = new QVBoxLayout(textures);
    texturePage->addWidget(ComboBox1);
    texturePage->addLayout(textureRow, 1);

    // Page 2: the game information text.
    auto* text = new QWidget;
    ComboBox2 = Named<QComboBox>(text, "ComboBox2");
    for (int size = MinFontSize; size <= MaxFontSize; ++size) ComboBox2->addItem(QString::number(size));
    swatch(InfoText, text);
    swatch(InfoBack, text);
    auto* textGrid = new QGridLayout(text);
    textGrid->addWidget(captionLabel(text, "Police"), 0, 0, 1, 2);
    textGrid->addWidget(captionLabel(text, "Information text size"), 1, 0);
    textGrid->addWidget(ComboBox2, 1, 1);
    textGrid->addWidget(captionLabel(text, kSwatches[InfoText].key), 2, 0);
    textGrid->addWidget(Swatches[InfoText], 2, 1);
    textGrid->addWidget(captionLabel(text, kSwatches[InfoBack].key), 3, 0);
    textGrid->addWidget(Swatches[InfoBack], 3, 1);
    textGrid->setColumnStretch(0, 1);
    textGrid->setRowStretch(4, 1);

    // Page 3: save as.
    auto* themes = new QWidget;
    Edit3 = Named<QLineEdit>(themes, "Edit3");
    BitBtn5 = Captioned<QPushButton>(themes, "BitBtn5", "Save as", "...");
    SetHint(BitBtn5, "Save current theme as", "...");
    BitBtn5->setEnabled(false);
    auto* themeGrid = new QGridLayout(themes);
    themeGrid->addWidget(captionLabel(themes, "Name", " :"), 0, 0);
    themeGrid->addWidget(Edit3, 0, 1);
    themeGrid->addWidget(BitBtn5, 1, 1, Qt::AlignLeft);
    themeGrid->setRowStretch(2, 1);

    for (QWidget* page : {colours, textures, text, themes}) PageControl1->addTab(page, QString());

    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button2 = Captioned<QPushButton>(this, "Button2", "Cancel");
    Button3 = Captioned<QPushButton>(this, "Button3", "Apply");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(captionLabel(this, "Theme file", " :"));
    FileName = Named<QLabel>(this, "FileName");
    buttons->addWidget(FileName, 1);
    for (QPushButton* b : {Button1, Button2, Button3}) buttons->addWidget(b);
    auto* right = new QVBoxLayout;
    right->addWidget(PageControl1, 1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(sideBar);
    layout->addLayout(right, 1);
    resize(520, 340);

    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm3::PageControl1Change);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TForm3::ComboBox2Click);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm3::ComboBox1Change);
    // Arrow keys choose a texture as a click does.
    connect(FileListBox1, &QListWidget::currentRowChanged, this, [this] {
        if (!loading_) FileListBox1Click();
    });
    connect(Edit3, &QLineEdit::textChanged, this, &TForm3::Edit3Change);
    connect(BitBtn6, &QPushButton::clicked, this, &TForm3::BitBtn6Click);
    connect(BitBtn8, &QPushButton::clicked, this, &TForm3::BitBtn8Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TForm3::BitBtn5Click);
    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm3::Button3Click);
    OnWebReachable([this, alive = QPointer<TForm3>(this)] {
        if (alive) BitBtn8->setEnabled(true);
    });
    retranslateItems();
    FormCreate();
}

void TForm3::retranslateItems() {
    const bool wasLoading = loading_;
    loading_ = true;
    for (int i = 0; i < 4; ++i) PageControl1->setTabText(i, Q(Ui(kPages[i])));
    for (int i = 0; i < TextureCount; ++i) ComboBox1->setItemText(i, Q(Ui(kTextureItems[i])));
    loading_ = wasLoading;
}

void TForm3::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    retranslateItems();
    ComboBox1->setCurrentIndex(0);
    fillTextureList();
}

void TForm3::FormCreate() {
    ShowPage(3);
    fillTextureList();
    platform::ChangeToProgramFolder();
}

void TForm3::fillTextureList() {
    const bool wasLoading = loading_;
    loading_ = true;  // refilling chooses no texture
    const QListWidgetItem* selected = FileListBox1->currentItem();
    const QString keep = selected ? selected->text() : QString();
    FileListBox1->clear();
    for (const std::string& name : TextureFiles()) FileListBox1->addItem(Q(name));
    FileListBox1->addItem(NoTextureEntry());
    if (!keep.isEmpty())
        if (const auto found = FileListBox1->findItems(keep, Qt::MatchExactly); !found.isEmpty())
            FileListBox1->setCurrentItem(found.first());
    loading_ = wasLoading;
}

void TForm3::ShowPage(int page) {
    if (page < 0 || page > 3) return;
    PageControl1->setCurrentIndex(page);
    PageControl1Change();
}

void TForm3::PageControl1Change() {
    const int active = PageControl1->currentIndex();
    const QString highlight = palette().color(QPalette::Highlight).name();
    const QString highlighted = palette().color(QPalette::HighlightedText).name();
    for (int i = 0; i < 4; ++i)
        SideBar[i]->setStyleSheet(
            QString("text-align: left; padding: 4px; border: none; background-color: %1; color: %2")
                .arg(i == active ? highlight : "white", i == active ? highlighted : "black"));
}

void TForm3::paintSwatch(int slot) {
    Swatches[slot]->setStyleSheet(QString("background-color: %1; border: 1px solid black")
                                      .arg(ToQColor(WorkColours[slot]).name()));
}

void TForm3::PanelClick(int slot) {
    if (slot < 0 || slot >= ColourCount) return;
    const std::optional<int> picked = chooser() ? chooser()(WorkColours[slot], this) : std::nullopt;
    if (!picked) return;
    WorkColours[slot] = *picked & 0xFFFFFF;
    paintSwatch(slot);
}

void TForm3::Update_Donnees() {
    SaveIniFile();
    ThemeValues read;
    for (int i = 0; i < TextureCount; ++i) read.*kTextures[i] = WorkTextures[i];
    const bool ok = platform::IsSafeFileName(ThemeFileName) &&
                    ReadThemeFile(InProgramDir("themes/" + ThemeFileName), read);
    for (int i = 0; i < TextureCount; ++i) WorkTextures[i] = read.*kTextures[i];
    readFrom_ = ok ? ThemeFileName : std::string();
    if (!ok) {
        // Reported and replaced on screen; the file itself is left as it is.
        platform::ShowMessage(Ui("This theme is not valid"), platform::SiteCaption);
        ThemeFileName = "Standard Theme.thm";
        WorkColours = kBuiltIn;
        FileFontSize = 8;
        return;
    }
    for (int slot = 0; slot < ColourCount; ++slot) WorkColours[slot] = read.*kSettings[slot];
    FileFontSize = read.FontSize;
}

void TForm3::showTexture() {
    const int which = std::max(0, ComboBox1->currentIndex());
    const std::string& path = WorkTextures[which];
    if (path.empty()) {
        StaticText1->setText("(" + Q(Ui("No texture")) + ")");
        Image1->setPixmap(QPixmap());
        return;
    }
    StaticText1->setText(Q(platform::FileNamePart(path)));
    QPixmap picture;
    if (platform::FileExists(InProgramDir(path)) && picture.load(platform::FileSystemPath(InProgramDir(path)))) Image1->setPixmap(picture);
}

bool TForm3::noTextureSelected() const {
    const QListWidgetItem* item = FileListBox1->currentItem();
    return !item || item->text() == NoTextureEntry();
}

void TForm3::UpdateComponent() {
    loading_ = true;
    platform::ChangeToProgramFolder();
    showTexture();
    for (int slot = 0; slot < ColourCount; ++slot) paintSwatch(slot);
    Edit3->clear();
    FileName->setText(Q("themes/" + ThemeFileName));
    ComboBox2->setCurrentIndex(ComboBox2->findText(QString::number(AppSettings().FontSize)));
    fillTextureList();
    selectChosenTexture();
    loading_ = false;
}

// The list entry of the texture chosen in ComboBox1, the no-texture entry when it has none.
void TForm3::selectChosenTexture() {
    const std::string name = platform::FileNamePart(WorkTextures[std::max(0, ComboBox1->currentIndex())]);
    const auto found = name.empty() ? QList<QListWidgetItem*>() : FileListBox1->findItems(Q(name), Qt::MatchExactly);
    FileListBox1->setCurrentRow(found.isEmpty() ? FileListBox1->count() - 1 : FileListBox1->row(found.first()));
    BitBtn6->setEnabled(!noTextureSelected());
}

void TForm3::ComboBox2Click() {
    if (loading_) return;
    if (TForm4* info = AppForms().Form4) {
        QFont f = info->Memo1->font();
        f.setPointSize(ComboBox2->currentText().toInt());
        info->Memo1->setFont(f);
    }
}

void TForm3::ComboBox1Change() {
    if (loading_) return;
    UpdateComponent();
}

void TForm3::FileListBox1Click() {
    const QListWidgetItem* item = FileListBox1->currentItem();
    if (!item || FileListBox1->count() == 0) return;
    const int which = std::max(0, ComboBox1->currentIndex());
    WorkTextures[which] = noTextureSelected() ? std::string() : std::string(TextureFolder) + "/" + S(item->text());
    showTexture();
    BitBtn6->setEnabled(!noTextureSelected());
}

void TForm3::Edit3Change() { BitBtn5->setEnabled(!Edit3->text().isEmpty()); }

void TForm3::BitBtn6Click() {
    const QListWidgetItem* item = FileListBox1->currentItem();
    if (!item || noTextureSelected()) return;
    const std::string name = S(item->text());
    if (platform::ShowMessage(Ui("Do you really want to delete this texture ?") + "\n" + name, platform::SiteCaption,
                              platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
        return;
    platform::ChangeToProgramFolder();
    DeleteTexture(name);
    loading_ = true;
    FileListBox1->setCurrentItem(nullptr);
    fillTextureList();
    FileListBox1->setCurrentRow(FileListBox1->count() - 1);
    loading_ = false;
    UpdateComponent();
}

void TForm3::BitBtn8Click() {
    OpenWebPage(2);
    close();
}

void TForm3::pushTheme(const std::array<int, ColourCount>& c, const std::array<std::string, TextureCount>& t,
                       int fontSize, bool updateSound) {
    TForm1* main = AppForms().Form1;
    if (!main) return;
    // A texture whose file is missing shows as none.
    const std::array<std::string, TextureCount> pictures = {existing(t[0]), existing(t[1]), existing(t[2])};
    main->CurrentBackgroundTexture = pictures[TableTexture];
    main->CurrentTableColor = c[Table];
    if (main->CurrentGame && !main->CurrentGame->GameOver) {
        Jeu& g = *main->CurrentGame;
        g.Theme[Jeu::ThemeTable] = c[Table];
        g.Theme[Jeu::ThemeDominoes] = c[Dominoes];
        g.Theme[Jeu::ThemeDots] = c[Dots];
        g.Theme[Jeu::ThemeDominoesBack] = c[DominoesBack];
        g.Theme[Jeu::ThemeDominoesBorder] = c[Border];
        g.Theme[Jeu::ThemeBackBorder] = c[BackBorder];
        g.Theme[Jeu::ThemeNormalText] = c[NormalText];
        g.Theme[Jeu::ThemeLightedText] = c[LightedText];
        g.Theme[Jeu::ThemeSelectedDomino] = c[SelectedDomino];
        g.SetBackgroundTexture(pictures[TableTexture]);
        g.SetDominoesTexture(pictures[FaceTexture]);
        g.SetBackDominoesTexture(pictures[BackTexture]);
    }
    if (TForm4* info = AppForms().Form4) {
        QPalette pal = info->Memo1->palette();
        pal.setColor(QPalette::Base, ToQColor(c[InfoBack]));
        pal.setColor(QPalette::Text, ToQColor(c[InfoText]));
        info->Memo1->setPalette(pal);
        QFont f = info->Memo1->font();
        f.setPointSize(ClampFontSize(fontSize));
        info->Memo1->setFont(f);
    }
    if (updateSound)
        if (auto* sound = static_cast<TForm5*>(AppForms().Form5)) sound->UpdateButton();
    main->FormPaint();
}

void TForm3::Button3Click() {
    platform::ChangeToProgramFolder();
    pushTheme(WorkColours, WorkTextures, FileFontSize, true);
}

ThemeValues TForm3::workingTheme() {
    const int chosen = ComboBox2->currentIndex() >= 0 ? ComboBox2->currentText().toInt() : FileFontSize;
    ChosenFontSize = ClampFontSize(chosen);
    ThemeValues theme;
    for (int slot = 0; slot < ColourCount; ++slot) theme.*kSettings[slot] = WorkColours[slot];
    theme.FontSize = ChosenFontSize;
    for (int i = 0; i < TextureCount; ++i) theme.*kTextures[i] = WorkTextures[i];
    return theme;
}

void TForm3::copyToSettings() {
    static_cast<ThemeValues&>(AppSettings()) = workingTheme();
    if (auto* sound = static_cast<TForm5*>(AppForms().Form5)) sound->FormActivate();
}

bool TForm3::writeWorkingCopy(const std::string& fileName) {
    platform::ChangeToProgramFolder();
    const std::string shown = "themes/" + fileName;
    if (fileName != readFrom_ && platform::FileExists(InProgramDir(shown)) &&
        platform::ShowMessage(Ui("Replace this theme file with the theme shown ?") + "\n" + shown,
                              platform::SiteCaption, platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
        return false;
    if (!SaveThmFileAs(fileName, workingTheme())) {
        platform::ShowMessage(Ui("The theme file could not be written.") + "\n" + shown, platform::SiteCaption);
        return false;
    }
    readFrom_ = fileName;
    return true;
}

// OK writes the working copy back to its file; the current theme stays the one in force.
// Nothing is stored, and the window stays open, when the file is not written.
void TForm3::Button1Click() {
    if (!writeWorkingCopy(ThemeFileName)) return;
    copyToSettings();
    accept();
}

// Save as: the new file is written before anything names it, so the settings never name a
// theme file that is not there.
void TForm3::BitBtn5Click() {
    const std::string name = S(Edit3->text());
    if (name.empty() || !platform::IsSafeFileName(name + ".thm")) {
        platform::ShowMessage(Ui("This name cannot be used for a theme"), platform::SiteCaption);
        return;
    }
    if (!writeWorkingCopy(name + ".thm")) return;
    Settings& s = AppSettings();
    ThemeFileName = name + ".thm";
    s.ThemeFilePath = ThemeFileName;
    copyToSettings();
    pushTheme(WorkColours, WorkTextures, FileFontSize, true);
    Edit3->clear();
    BitBtn5->setEnabled(false);
    if (!SaveIniFile())
        platform::ShowMessage(Ui("The settings file could not be written."), platform::SiteCaption);
    UpdateComponent();
    if (auto* options = static_cast<TForm8*>(AppForms().Form8)) options->Update_DonneesT();
    if (TForm1* main = AppForms().Form1) main->UpdateToolBar();
}

void TForm3::Button2Click() {
    platform::ChangeToProgramFolder();
    const Settings& s = AppSettings();
    std::array<int, ColourCount> colours{};
    for (int slot = 0; slot < ColourCount; ++slot) colours[slot] = s.*kSettings[slot];
    pushTheme(colours, {s.BackgroundTexturePath, s.DominoesTexturePath, s.BackDominoesTexturePath}, s.FontSize,
              false);
    reject();
}

void TForm3::FormKeyPress(int key) {
    if (key == 27) close();
}

void TForm3::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) FormKeyPress(27);
    else QDialog::keyPressEvent(event);
}

void TForm3::done(int result) {
    platform::ChangeToProgramFolder();
    QDialog::done(result);
}

} // namespace client
