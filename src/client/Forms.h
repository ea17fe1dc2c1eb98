#pragma once
#include <QWidget>

// The client's windows, created once at start-up in a fixed order and alive until the
// program ends; each window reaches the others through these pointers.
namespace client {

class TForm1;   // main window
class TForm4;   // game information
class TForm17;  // camera dialog

struct Forms {
    TForm1* Form1 = nullptr;
    QWidget* Form15 = nullptr;  // web browser
    QWidget* Form2 = nullptr;   // about box
    QWidget* Form3 = nullptr;   // theme editor
    TForm4* Form4 = nullptr;
    QWidget* Form9 = nullptr;   // player list
    QWidget* Form12 = nullptr;  // chat
    QWidget* Form11 = nullptr;  // message composer
    QWidget* Form5 = nullptr;   // sound control
    QWidget* Form6 = nullptr;   // statistics
    QWidget* Form14 = nullptr;  // lobby
    TForm17* Form17 = nullptr;
    QWidget* Form8 = nullptr;   // options
};

Forms& AppForms();

} // namespace client
