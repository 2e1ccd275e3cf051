#pragma once

#include "platform/data/SqliteConnection.h"

#include <QFile>
#include <QString>

namespace test {

// Overwrites the root page of the table or index `name` of the database at `path` with bytes no page
// starts with, as a failing disk would. Returns false when it or the file cannot be found.
inline bool DamageRootPage(const QString& path, const QString& type, const QString& name) {
    qint64 page = 0;
    qint64 pageSize = 0;
    {
        auto db = platform::SqliteConnection::Open(path);
        page = db->Query(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE type=? AND name=?"), {type, name})
                   ->Field(0)
                   .ToInt();
        pageSize = db->Query(QStringLiteral("PRAGMA page_size"))->Field(0).ToInt();
    }
    QFile file(path);
    if (page < 2 || pageSize <= 0 || !file.open(QIODevice::ReadWrite) || !file.seek((page - 1) * pageSize))
        return false;
    return file.write(QByteArray(pageSize, '\x7f')) == pageSize;
}

// An index's root page: reading the table, or any other index, still works; SQLite's check fails.
inline bool DamageIndexRootPage(const QString& path, const QString& index) {
    return DamageRootPage(path, QStringLiteral("index"), index);
}

// A table's root page: every read of the table fails, and so does every save into it. The Person
// table's is page 2 of a new db.mdb.
inline bool DamageTableRootPage(const QString& path, const QString& table) {
    return DamageRootPage(path, QStringLiteral("table"), table);
}

} // namespace test
