#pragma once
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>

namespace client {

// A small arrow picture that acts on every mouse move over it, not on a click.
class HoverArrow : public QLabel {
    Q_OBJECT
public:
    HoverArrow(QWidget* parent, const char* name, int direction, std::function<void()> step);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::function<void()> step_;
};

// "View 3D": moves and turns the running game's camera while the mouse hovers over its
// arrows; RESET restores the default camera.
class TForm17 : public QWidget {
    Q_OBJECT
public:
    explicit TForm17(QWidget* mainWindow);

    static constexpr double AngleStep = 1.0 / 36.0;  // radians
    static constexpr double PositionStep = 50.0;

    void FormCreate();
    void Button1Click();
    // One hover step: which camera value, by how much.
    enum CameraValue { AngleX, AngleY, PositionX, PositionY, PositionZ };
    void Step(CameraValue value, double delta);

    QLabel* Image6;
    QLabel* Image11;
    QPushButton* Button1;

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace client
