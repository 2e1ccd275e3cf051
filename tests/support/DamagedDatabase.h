#pragma once

#include "platform/data/SqliteConnection.h"

#include <QFile>
#include <QString>

namespace test {

// Overwrites the root page of index `index` of the database at `path` with bytes no page starts with,
// as a failing disk would. Reading the table, or any other index, still works; SQLite's check fails.
// Returns false when the index or the file cannot be found.
inline bool DamageIndexRootPage(const QString& path, const QString& index) {
    qint64 page = 0;
    qint64 pageSize = 0;
    {
        auto db = platform::SqliteConnection::Open(path);
        page = db->Query(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE type='index' AND name=?"), {index})
                   ->Field(0)
                   .ToInt();
        pageSize = db->Query(QStringLiteral("PRAGMA page_size"))->Field(0).ToInt();
    }
    QFile file(path);
    if (page < 2 || pageSize <= 0 || !file.open(QIODevice::ReadWrite) || !file.seek((page - 1) * pageSize))
        return false;
    return file.write(QByteArray(pageSize, '\x7f')) == pageSize;
}

} // namespace test
