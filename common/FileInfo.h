#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

namespace amb {

// Describes one file: its name, folder, type, dates, size and, for the files this system builds,
// the version they carry. One instance may describe several files in turn.
class FileInfo {
public:
    FileInfo();

    QString FileFullPath() const { return m_fileFullPath; }
    void SetFileFullPath(const QString& value) { m_fileFullPath = value; }
    QString FileName() const { return m_fileName; }
    QString ParentFolderName() const { return m_parentFolderName; }
    QString FileVersion() const { return m_fileVersion; }
    QString ProductVersion() const { return m_productVersion; }
    QString FileType() const { return m_fileType; }
    QDateTime DateCreated() const { return m_dateCreated; }
    QDateTime DateModified() const { return m_dateModified; }
    QDateTime DateAccessed() const { return m_dateAccessed; }
    int32_t FileSize() const { return m_fileSize; }

    // Reads the file's details; an empty path describes the file set before. True only when the
    // file exists and carries a version; the name, folder, type, dates and size are set for any
    // existing file.
    bool GetFileInfo(const QString& path = QString());

    // The version marker's text found in the file as "major.minor.build.revision", or empty.
    static QString ReadVersionMarker(const QString& path);

private:
    QString m_fileFullPath;
    QString m_fileName;
    QString m_parentFolderName;
    QString m_fileVersion;
    QString m_productVersion;
    QString m_fileType;
    QDateTime m_dateCreated;
    QDateTime m_dateModified;
    QDateTime m_dateAccessed;
    int32_t m_fileSize = 0;
};

} // namespace amb
