#pragma once
#include <QCoreApplication>
#include <QString>
#include <QWidget>
#include <cstdio>

// Saves a picture of the widget as folder/name, after the pending events have drawn it,
// and prints the path.
inline void SaveScreenshot(QWidget& w, const QString& folder, const char* name) {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    const QString path = folder + "/" + name;
    w.grab().save(path);
    std::printf("%s\n", path.toLocal8Bit().constData());
}
