#include "main/Icons.h"

#include <QHash>
#include <QString>

// Resources compiled into a static library are registered by hand.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace amb::ambrel {

namespace {

// Icons are made once and shared: a list of 50,000 rows holds one icon, not 50,000.
QIcon Cached(const QString& name) {
    static const bool registered = (InitIconResources(), true);
    Q_UNUSED(registered);
    static QHash<QString, QIcon> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, QIcon(QStringLiteral(":/icons/") + name + QStringLiteral(".svg")));
    return *it;
}

} // namespace

QIcon TreeIcon(TreeImage image) {
    switch (image) {
    case TreeImage::Root:
        return Cached(QStringLiteral("church"));
    case TreeImage::Parent:
        return Cached(QStringLiteral("folder"));
    case TreeImage::Persons:
        return Cached(QStringLiteral("person"));
    case TreeImage::FamiliesGroups:
        return Cached(QStringLiteral("family"));
    case TreeImage::Expenses:
        return Cached(QStringLiteral("expense"));
    case TreeImage::Offerings:
        return Cached(QStringLiteral("offering"));
    }
    return {};
}

QIcon ToolIcon(ToolImage image) {
    switch (image) {
    case ToolImage::LogInOut:
        return Cached(QStringLiteral("login"));
    case ToolImage::New:
        return Cached(QStringLiteral("new"));
    case ToolImage::Open:
        return Cached(QStringLiteral("open"));
    case ToolImage::Delete:
        return Cached(QStringLiteral("delete"));
    case ToolImage::Print:
        return Cached(QStringLiteral("print"));
    case ToolImage::Report:
        return Cached(QStringLiteral("report"));
    case ToolImage::Search:
        return Cached(QStringLiteral("search"));
    }
    return {};
}

QIcon ProgramIcon() {
    return Cached(QStringLiteral("ambrel"));
}

} // namespace amb::ambrel
