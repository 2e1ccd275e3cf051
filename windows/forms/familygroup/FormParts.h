#pragma once

// Small pieces the family-and-group windows share: naming a control, a plain-text label.

#include <QLabel>
#include <QString>

namespace amb::windows {

template <class T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

inline QLabel* MakeLabel(QWidget* parent, const char* name) {
    auto* label = Named(new QLabel(parent), name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace amb::windows
