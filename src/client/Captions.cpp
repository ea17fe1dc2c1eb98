#include "client/Captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include "client/QtColors.h"
#include "client/UiText.h"

namespace client {

namespace {
constexpr const char* KeyProperty = "captionKey";
constexpr const char* HintProperty = "hintKey";
constexpr const char* SuffixProperty = "captionSuffix";

QString translated(QObject* control, const QString& key) {
    return Q(Ui(S(key))) + control->property(SuffixProperty).toString();
}

void apply(QObject* control, const QString& text) {
    if (auto* a = qobject_cast<QAction*>(control)) a->setText(text);
    else if (auto* m = qobject_cast<QMenu*>(control)) m->setTitle(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(control)) b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(control)) l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(control)) g->setTitle(text);
    else if (auto* w = qobject_cast<QWidget*>(control)) w->setWindowTitle(text);
}
} // namespace

void SetCaption(QObject* control, const std::string& key) { SetCaption(control, key, ""); }

void SetCaption(QObject* control, const std::string& key, const std::string& suffix) {
    if (!control) return;
    control->setProperty(KeyProperty, Q(key));
    control->setProperty(SuffixProperty, Q(suffix));
    apply(control, translated(control, Q(key)));
}

void SetHint(QObject* control, const std::string& key) {
    auto* w = qobject_cast<QWidget*>(control);
    if (!w) return;
    w->setProperty(HintProperty, Q(key));
    w->setToolTip(Q(Ui(key)));
}

namespace {
void retranslate(QObject* root) {
    const QVariant key = root->property(KeyProperty);
    if (key.isValid()) apply(root, translated(root, key.toString()));
    const QVariant hint = root->property(HintProperty);
    if (hint.isValid())
        if (auto* w = qobject_cast<QWidget*>(root)) w->setToolTip(Q(Ui(S(hint.toString()))));
    for (QObject* child : root->children()) retranslate(child);
}
} // namespace

void RetranslateCaptions(QObject* root) {
    if (!root) return;
    retranslate(root);
    QEvent changed(QEvent::LanguageChange);
    QCoreApplication::sendEvent(root, &changed);
}

} // namespace client
