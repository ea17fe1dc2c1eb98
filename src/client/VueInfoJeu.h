#pragma once
#include <QPlainTextEdit>
#include <QWidget>

namespace client {

// "Informations": the game log, a small tool window on top of the main window. It keeps the
// last LogLineLimit lines (BoundedLog.h).
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* mainWindow);

    void FormCreate();
    // Colours and font size from the current theme.
    void ApplyTheme();
    void AppendLine(const QString& line);
    void Clear();
    QPlainTextEdit* Memo1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace client
