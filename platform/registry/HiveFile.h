#pragma once

#include "platform/registry/Hive.h"

#include <QString>

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <functional>

namespace platform::registry {

// One root's file and its parsed copy. The copy is re-read whenever the file on disk is no longer
// the one it was read from. Writes replace the whole file atomically under an advisory lock, so
// readers need no lock and never see half a file.
class HiveFile {
public:
    HiveFile(QString path, QString title);
    ~HiveFile();
    HiveFile(const HiveFile&) = delete;
    HiveFile& operator=(const HiveFile&) = delete;

    // Brings the copy up to date; a status other than Success leaves Root() empty.
    int32_t Refresh();
    const HiveKey& Root() const { return m_root; }

    // Applies `change` to the newest content under the lock and writes the result when the change
    // returns Success and says that it changed something.
    using Change = std::function<int32_t(HiveKey& root, bool& changed)>;
    int32_t Modify(const Change& change);

    const QString& Path() const { return m_path; }
    // The line (from 1) that made the last read fail, 0 when the file as a whole could not be read;
    // -1 when the last read succeeded.
    int DamagedLine() const { return m_damagedLine; }

private:
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = -1;
        int64_t modifiedNs = -1;
        bool operator==(const Identity&) const = default;
    };

    static Identity IdentityOf(const struct stat& st);
    void Forget();
    int32_t Load();
    int32_t Write(const HiveKey& root);

    QString m_path;
    QString m_title;
    HiveKey m_root;
    // The file that m_root was read from, kept open so its inode number cannot be reused by a
    // later file: a different inode at the path then always means a different content.
    int m_fd = -1;
    Identity m_identity;
    bool m_loaded = false;
    int32_t m_loadStatus = 0;
    int m_damagedLine = -1;
};

} // namespace platform::registry
