#pragma once

// Small pieces the family-and-group windows share: naming a control.

#include <QString>

namespace amb::windows {

template <class T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace amb::windows
