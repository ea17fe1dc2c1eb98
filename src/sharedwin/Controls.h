#pragma once
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <string>
#include <utility>

#include "sharedwin/Captions.h"

// Controls carry the names the code and the tests know them by (objectName), and their
// captions and hints are keyed by their English text (Captions.h).
namespace client {

// A new control of type T (constructor arguments first, the parent last) with that name.
template <class T, class... Args>
T* Named(QWidget* parent, const char* name, Args&&... args) {
    T* control = new T(std::forward<Args>(args)..., parent);
    control->setObjectName(name);
    return control;
}

// The same with a translated caption, and a fixed suffix after it ("..." or " :").
template <class T>
T* Captioned(QWidget* parent, const char* name, const std::string& key, const std::string& suffix = "") {
    T* control = Named<T>(parent, name);
    SetCaption(control, key, suffix);
    return control;
}

// A button that shows one of the style's icons, with a translated hint.
inline QPushButton* IconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                               const std::string& hintKey, const std::string& hintSuffix = "") {
    auto* button = Named<QPushButton>(parent, name);
    button->setIcon(parent->style()->standardIcon(icon));
    if (!hintKey.empty()) SetHint(button, hintKey, hintSuffix);
    return button;
}

// Removes a row of a list and selects the same position, or the last row when the position
// is past the end. False when the list is empty afterwards. The list's selection signals
// stay quiet: the caller shows what is selected then.
inline bool TakeRowAndSelectNext(QListWidget* list, int row) {
    const QSignalBlocker quiet(list);
    delete list->takeItem(row);
    if (list->count() == 0) return false;
    list->setCurrentRow(std::min(row, list->count() - 1));
    return true;
}

// Opens a modal window in front of the window that asks for it: the dialog becomes that
// window's own (a window manager keeps it above its opener, an opener kept on top included)
// and blocks it, without a nested event loop.
inline void OpenInFrontOf(QDialog* dialog, QWidget* opener) {
    QWidget* owner = opener ? opener->window() : nullptr;
    if (owner && dialog->parentWidget() != owner) {
        Qt::WindowFlags flags = dialog->windowFlags() & ~Qt::WindowStaysOnTopHint;
        if (owner->windowFlags() & Qt::WindowStaysOnTopHint) flags |= Qt::WindowStaysOnTopHint;
        dialog->setParent(owner, flags);
    }
    dialog->open();
}

} // namespace client
