#pragma once

#include "common/ResourceIDs.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace test {

// A strict reader of the string-table file format, so the tests notice anything that the
// application's loader might read differently: every problem is reported with its line number.
struct StringTableFile {
    QMap<int, QString> texts; // id -> text with escapes resolved
    QStringList errors;       // "line N: problem"

    static StringTableFile Parse(const QByteArray& content, int firstId = amb::res::kFirstId,
                                 int lastId = amb::res::kLastId);
    static StringTableFile Load(const QString& path);
};

} // namespace test
