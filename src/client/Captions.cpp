#include "client/Captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include "client/QtColors.h"
#include "client/UiText.h"

namespace client {

namespace {
constexpr const char* KeyProperty = "captionKey";

void apply(QObject* control, const QString& text) {
    if (auto* a = qobject_cast<QAction*>(control)) a->setText(text);
    else if (auto* m = qobject_cast<QMenu*>(control)) m->setTitle(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(control)) b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(control)) l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(control)) g->setTitle(text);
    else if (auto* w = qobject_cast<QWidget*>(control)) w->setWindowTitle(text);
}
} // namespace

void SetCaption(QObject* control, const std::string& key) {
    if (!control) return;
    control->setProperty(KeyProperty, Q(key));
    apply(control, Q(Ui(key)));
}

void RetranslateCaptions(QObject* root) {
    if (!root) return;
    const QVariant key = root->property(KeyProperty);
    if (key.isValid()) apply(root, Q(Ui(S(key.toString()))));
    for (QObject* child : root->children()) RetranslateCaptions(child);
}

} // namespace client
