#pragma once
#include <QWidget>

// The client's windows, created once at start-up in a fixed order and alive until the
// program ends; each window reaches the others through these pointers.
namespace client {

class TForm1;   // main window
class TForm3;   // theme editor
class TForm4;   // game information
class TForm8;   // options
class TForm9;   // player list
class TForm17;  // camera dialog

struct Forms {
    TForm1* Form1 = nullptr;
    QWidget* Form15 = nullptr;  // web browser
    QWidget* Form2 = nullptr;   // about box
    TForm3* Form3 = nullptr;
    TForm4* Form4 = nullptr;
    TForm9* Form9 = nullptr;
    QWidget* Form12 = nullptr;  // chat
    QWidget* Form11 = nullptr;  // message composer
    QWidget* Form5 = nullptr;   // sound control
    QWidget* Form6 = nullptr;   // statistics
    QWidget* Form14 = nullptr;  // lobby
    TForm17* Form17 = nullptr;
    TForm8* Form8 = nullptr;
};

Forms& AppForms();

} // namespace client
