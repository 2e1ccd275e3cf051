#include "common/FileInfo.h"

#include "common/ErrorGuard.h"
#include "platform/com/Version.h"
#include "platform/data/Variant.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <limits>
#include <string_view>

namespace amb {

namespace {

// The date value 0 of the old platform: 30 December 1899, midnight.
QDateTime ZeroDate() {
    return platform::MakeDateTime(1899, 12, 30);
}

QDateTime NaiveLocal(const QDateTime& time) {
    if (!time.isValid())
        return ZeroDate();
    const QDateTime local = time.toLocalTime();
    return platform::Naive(local.date(), local.time());
}

constexpr std::string_view kPrefix = AMB_VERSION_MARKER_PREFIX;
constexpr qsizetype kMaxVersionLength = 32;

// The version after a prefix at `text`, or empty when this occurrence is no marker (the prefix
// also sits alone in any program that looks for markers). A marker ends with its NUL.
QString ParseMarker(std::string_view text) {
    const std::string_view rest = text.substr(kPrefix.size());
    const auto end = rest.find('\0');
    if (end == std::string_view::npos || end == 0 || end > static_cast<size_t>(kMaxVersionLength))
        return {};
    const QString version = QString::fromLatin1(rest.data(), static_cast<qsizetype>(end));
    static const QRegularExpression pattern(QStringLiteral("^\\d{1,5}(\\.\\d{1,5}){0,3}$"));
    if (!pattern.match(version).hasMatch())
        return {};
    QStringList parts = version.split(QLatin1Char('.'));
    for (auto& part : parts) {
        const int value = part.toInt();
        if (value > std::numeric_limits<uint16_t>::max())
            return {};
        part = QString::number(value);
    }
    while (parts.size() < 4)
        parts << QStringLiteral("0");
    return parts.join(QLatin1Char('.'));
}

// Searches `data` for a marker; returns the version or empty.
QString FindMarker(std::string_view data) {
    const std::boyer_moore_horspool_searcher searcher(kPrefix.begin(), kPrefix.end());
    auto it = data.begin();
    while (true) {
        it = std::search(it, data.end(), searcher);
        if (it == data.end())
            return {};
        const auto offset = static_cast<size_t>(it - data.begin());
        const QString version = ParseMarker(data.substr(offset));
        if (!version.isEmpty())
            return version;
        ++it;
    }
}

} // namespace

FileInfo::FileInfo() : m_dateCreated(ZeroDate()), m_dateModified(ZeroDate()), m_dateAccessed(ZeroDate()) {}

QString FileInfo::ReadVersionMarker(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return {};
    if (uchar* mapped = file.map(0, file.size())) {
        const QString version = FindMarker({reinterpret_cast<const char*>(mapped), static_cast<size_t>(file.size())});
        file.unmap(mapped);
        return version;
    }
    // Files that cannot be mapped are read in chunks that overlap by a marker's length.
    constexpr qint64 chunk = 1 << 20;
    const qint64 overlap = static_cast<qint64>(kPrefix.size()) + kMaxVersionLength + 1;
    QByteArray window;
    while (!file.atEnd()) {
        const QByteArray next = file.read(chunk);
        if (next.isEmpty())
            break;
        window += next;
        const QString version = FindMarker({window.constData(), static_cast<size_t>(window.size())});
        if (!version.isEmpty())
            return version;
        window = window.right(overlap);
    }
    return {};
}

bool FileInfo::GetFileInfo(const QString& path) {
    return CatchAll(QStringLiteral("FileInfo"), QStringLiteral("GetFileInfo()"), false, [&] {
        if (!path.isEmpty())
            m_fileFullPath = path;
        m_fileVersion.clear();
        m_productVersion.clear();
        m_fileType.clear();
        m_dateCreated = m_dateModified = m_dateAccessed = ZeroDate();
        m_fileSize = 0;

        const QFileInfo info(m_fileFullPath);
        if (m_fileFullPath.isEmpty() || !info.isFile())
            return false;
        m_fileName = info.fileName();
        m_parentFolderName = info.absolutePath();
        m_fileType = QMimeDatabase().mimeTypeForFile(info).comment();
        // Not every file system keeps a birth time; the status change time is the nearest.
        m_dateCreated = NaiveLocal(info.birthTime().isValid() ? info.birthTime() : info.metadataChangeTime());
        m_dateModified = NaiveLocal(info.lastModified());
        m_dateAccessed = NaiveLocal(info.lastRead());
        if (info.size() > std::numeric_limits<int32_t>::max())
            return false;
        m_fileSize = static_cast<int32_t>(info.size());

        const QString version = ReadVersionMarker(m_fileFullPath);
        if (version.isEmpty())
            return false;
        m_fileVersion = version;
        m_productVersion = version;
        return true;
    });
}

} // namespace amb
