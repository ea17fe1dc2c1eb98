#include "client/Vue3Dsc.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "sharedwin/Captions.h"
#include "client/Forms.h"
#include "settings/Settings.h"
#include "client/Vuesc.h"
#include "game/Jeusc.h"

namespace client {

namespace {

// An arrow pointing up (0), right (1), down (2) or left (3).
QPixmap arrowPicture(int direction) {
    QPixmap pm(18, 18);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(9, 9);
    p.rotate(90.0 * direction);
    QPainterPath path;
    path.moveTo(0, -8);
    path.lineTo(7, 2);
    path.lineTo(2.5, 2);
    path.lineTo(2.5, 8);
    path.lineTo(-2.5, 8);
    path.lineTo(-2.5, 2);
    path.lineTo(-7, 2);
    path.closeSubpath();
    p.fillPath(path, QColor(0x20, 0x50, 0xC0));
    return pm;
}

QPixmap wheelPicture(int w, int h, const QColor& colour) {
    QPixmap pm(w, h);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(), 2));
    p.setBrush(colour);
    p.drawEllipse(QRectF(2, 2, w - 4, h - 4));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(w / 2.0 - 10, h / 2.0 - 10, 20, 20));
    return pm;
}

} // namespace

HoverArrow::HoverArrow(QWidget* parent, const char* name, int direction, std::function<void()> step)
    : QLabel(parent), step_(std::move(step)) {
    setObjectName(name);
    setPixmap(arrowPicture(direction));
    resize(18, 18);
    setMouseTracking(true);
}

void HoverArrow::mouseMoveEvent(QMouseEvent* event) {
    if (step_) step_();
    QLabel::mouseMoveEvent(event);
}

TForm17::TForm17(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("TForm17");
    SetCaption(this, "3D View");
    setFixedSize(186, 107);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    Image6 = new QLabel(this);
    Image6->setObjectName("Image6");
    Image6->setGeometry(2, 2, 86, 83);
    Image6->setPixmap(wheelPicture(86, 83, QColor(0xE0, 0xC0, 0x60)));
    SetHint(Image6, "Angle wheel");
    Image11 = new QLabel(this);
    Image11->setObjectName("Image11");
    Image11->setGeometry(94, 2, 89, 81);
    Image11->setPixmap(wheelPicture(89, 81, QColor(0x90, 0xC0, 0xE0)));
    SetHint(Image11, "Movement wheel: places the camera and the selection");

    struct Arrow {
        const char* name;
        int x, y, direction;
        CameraValue value;
        double delta;
    };
    const Arrow arrows[] = {
        // The angle wheel: up and down turn about X, left and right about Y.
        {"Image7", 36, 4, 0, AngleX, -AngleStep},
        {"Image9", 36, 63, 2, AngleX, AngleStep},
        {"Image10", 4, 33, 3, AngleY, -AngleStep},
        {"Image8", 68, 33, 1, AngleY, AngleStep},
        // The position wheel: left/right move x, up/down move y, the inner pair moves z.
        {"Image1", 96, 33, 3, PositionX, -PositionStep},
        {"dImage13", 163, 33, 1, PositionX, PositionStep},
        {"Image3", 129, 4, 0, PositionY, -PositionStep},
        {"Image4", 129, 62, 2, PositionY, PositionStep},
        {"Image43", 116, 33, 0, PositionZ, -PositionStep},
        {"Image2", 143, 33, 2, PositionZ, PositionStep},
    };
    for (const Arrow& a : arrows) {
        auto* arrow = new HoverArrow(this, a.name, a.direction,
                                     [this, v = a.value, d = a.delta] { Step(v, d); });
        arrow->move(a.x, a.y);
    }
    SetHint(findChild<QLabel*>("Image43"), "Reset of the angles");

    Button1 = new QPushButton("RESET", this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(60, 85, 66, 20);
    connect(Button1, &QPushButton::clicked, this, &TForm17::Button1Click);
    FormCreate();
}

void TForm17::FormCreate() {
    if (QWidget* main = parentWidget()) move(main->x() + 20, main->y() + main->height() - 180);
}

void TForm17::Step(CameraValue value, double delta) {
    TForm1* main = AppForms().Form1;
    Jeu* game = main ? main->CurrentGame.get() : nullptr;
    if (!game) return;
    Settings& s = AppSettings();
    double* camera = nullptr;
    double* setting = nullptr;
    switch (value) {
    case AngleX: camera = &game->CameraAngleX, setting = &s.CameraAngleX; break;
    case AngleY: camera = &game->CameraAngleY, setting = &s.CameraAngleY; break;
    case PositionX: camera = &game->CameraPosition[0], setting = &s.CameraPositionX; break;
    case PositionY: camera = &game->CameraPosition[1], setting = &s.CameraPositionY; break;
    case PositionZ: camera = &game->CameraPosition[2], setting = &s.CameraPositionZ; break;
    }
    // The camera stops at the limit that the settings file accepts.
    if (!IsSaneCameraValue(*camera + delta)) return;
    *setting = *camera += delta;
    game->RedrawTable();
    main->SurfaceChanged();
}

void TForm17::Button1Click() {
    TForm1* main = AppForms().Form1;
    Jeu* game = main ? main->CurrentGame.get() : nullptr;
    if (!game) return;
    Settings& s = AppSettings();
    s.CameraPositionX = 0;
    s.CameraPositionY = -800;
    s.CameraPositionZ = -2200;
    s.CameraAngleX = -std::numbers::pi / 6;
    s.CameraAngleY = -std::numbers::pi;
    game->CameraPosition = {s.CameraPositionX, s.CameraPositionY, s.CameraPositionZ};
    game->CameraAngleX = s.CameraAngleX;
    game->CameraAngleY = s.CameraAngleY;
    game->InitView();
    game->RedrawTable();
    main->SurfaceChanged();
}

void TForm17::closeEvent(QCloseEvent* event) {
    if (TForm1* main = AppForms().Form1) main->NouvellePartie1->setChecked(false);
    QWidget::closeEvent(event);
}

} // namespace client
