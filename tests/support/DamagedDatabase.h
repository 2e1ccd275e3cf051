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

// Overwrites a table's root page of a file that a running program holds open, as another program's
// write would: the file's change counter moves on, so the program reads its pages anew.
inline bool DamageTableRootPageUnderProgram(const QString& path, const QString& table,
                                            const QString& type = QStringLiteral("table")) { // or "index"
    if (!DamageRootPage(path, type, table))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(24))
        return false;
    QByteArray counter = file.read(4);
    if (counter.size() != 4)
        return false;
    counter[3] = static_cast<char>(counter[3] + 1);
    return file.seek(24) && file.write(counter) == 4;
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
