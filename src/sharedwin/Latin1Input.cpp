#include "sharedwin/Latin1Input.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolTip>
#include <QValidator>

#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "sharedwin/Captions.h"
#include "sharedwin/QtColors.h"

namespace client {

const char* const NotLatin1Character = "This character cannot be used here";
const char* const NotLatin1FileName = "This file name holds characters that cannot be stored";

namespace {

class Latin1Validator : public QValidator {
public:
    explicit Latin1Validator(QObject* parent) : QValidator(parent) {}
    State validate(QString& input, int&) const override { return FitsLatin1(input) ? Acceptable : Invalid; }
};

void tellAt(QWidget* field) {
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), Q(WindowText(NotLatin1Character)), field);
}

void keep(QLineEdit* edit) {
    // A validator of its own (a number field, a spin box's) already refuses more.
    if (edit->validator()) return;
    edit->setValidator(new Latin1Validator(edit));
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [edit] { tellAt(edit); });
}

void keep(QPlainTextEdit* memo) {
    if (memo->isReadOnly() || memo->property("keepsLatin1").toBool()) return;
    memo->setProperty("keepsLatin1", true);
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo] {
        const QString text = memo->toPlainText();
        if (FitsLatin1(text)) return;
        QString kept;
        for (const QChar c : text)
            if (c.unicode() <= 0xFF) kept += c;
        memo->setPlainText(kept);
        memo->moveCursor(QTextCursor::End);
        tellAt(memo);
    });
}

} // namespace

void KeepLatin1(QWidget* root) {
    if (!root) return;
    QList<QLineEdit*> edits = root->findChildren<QLineEdit*>();
    if (auto* self = qobject_cast<QLineEdit*>(root)) edits.prepend(self);
    for (QLineEdit* edit : edits)
        if (!qobject_cast<QAbstractSpinBox*>(edit->parent())) keep(edit);
    QList<QPlainTextEdit*> memos = root->findChildren<QPlainTextEdit*>();
    if (auto* self = qobject_cast<QPlainTextEdit*>(root)) memos.prepend(self);
    for (QPlainTextEdit* memo : memos) keep(memo);
}

std::optional<std::string> ChosenPath(const QString& path) {
    std::optional<std::string> model = platform::ModelPath(path);
    if (!model) platform::ShowMessage(WindowText(NotLatin1FileName), platform::SiteCaption);
    return model;
}

} // namespace client
