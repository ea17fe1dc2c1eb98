#include "sharedwin/Captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include "settings/Language.h"
#include "sharedwin/QtColors.h"

namespace client {

namespace {
std::function<std::string(const std::string&)>& textSource() {
    static std::function<std::string(const std::string&)> source;
    return source;
}
} // namespace

std::string WindowText(const std::string& key) {
    const auto& source = textSource();
    return source ? source(key) : LanguageText(key);
}

void SetTextSource(std::function<std::string(const std::string&)> source) { textSource() = std::move(source); }

namespace {
constexpr const char* CaptionKey = "captionKey";
constexpr const char* CaptionSuffix = "captionSuffix";
constexpr const char* HintKey = "hintKey";
constexpr const char* HintSuffix = "hintSuffix";

void applyCaption(QObject* control, const QString& text) {
    if (auto* a = qobject_cast<QAction*>(control)) a->setText(text);
    else if (auto* m = qobject_cast<QMenu*>(control)) m->setTitle(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(control)) b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(control)) l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(control)) g->setTitle(text);
    else if (auto* w = qobject_cast<QWidget*>(control)) w->setWindowTitle(text);
}

void applyHint(QObject* control, const QString& text) {
    if (auto* a = qobject_cast<QAction*>(control)) a->setToolTip(text);
    else if (auto* w = qobject_cast<QWidget*>(control)) w->setToolTip(text);
}

QString shown(const QVariant& key, const QVariant& suffix) {
    return Q(WindowText(S(key.toString()))) + suffix.toString();
}
} // namespace

void SetCaption(QObject* control, const std::string& key, const std::string& suffix) {
    if (!control) return;
    control->setProperty(CaptionKey, Q(key));
    control->setProperty(CaptionSuffix, Q(suffix));
    applyCaption(control, Q(WindowText(key) + suffix));
}

void SetHint(QObject* control, const std::string& key, const std::string& suffix) {
    if (!control) return;
    control->setProperty(HintKey, Q(key));
    control->setProperty(HintSuffix, Q(suffix));
    applyHint(control, Q(WindowText(key) + suffix));
}

void ForgetCaption(QObject* control) {
    if (!control) return;
    control->setProperty(CaptionKey, QVariant());
    control->setProperty(CaptionSuffix, QVariant());
}

namespace {
void retranslate(QObject* root) {
    const QVariant caption = root->property(CaptionKey);
    if (caption.isValid()) applyCaption(root, shown(caption, root->property(CaptionSuffix)));
    const QVariant hint = root->property(HintKey);
    if (hint.isValid()) applyHint(root, shown(hint, root->property(HintSuffix)));
    for (QObject* child : root->children()) retranslate(child);
}
} // namespace

void RetranslateCaptions(QObject* root) {
    if (!root) return;
    retranslate(root);
    // Widgets pass the event on to their children.
    QEvent changed(QEvent::LanguageChange);
    QCoreApplication::sendEvent(root, &changed);
}

} // namespace client
