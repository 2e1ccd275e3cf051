#include "common/widgets/InterfaceLocale.h"

#include <QCoreApplication>
#include <QVariant>

namespace amb {

namespace {

constexpr char kProperty[] = "ambInterfaceLocale";

} // namespace

void SetInterfaceLocale(const QLocale& locale) {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->setProperty(kProperty, QVariant::fromValue(locale));
}

void ClearInterfaceLocale() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->setProperty(kProperty, QVariant());
}

QLocale InterfaceLocale() {
    const QCoreApplication* app = QCoreApplication::instance();
    const QVariant set = app ? app->property(kProperty) : QVariant();
    return set.metaType() == QMetaType::fromType<QLocale>() ? set.value<QLocale>() : QLocale();
}

} // namespace amb
