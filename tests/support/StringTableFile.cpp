#include "tests/support/StringTableFile.h"

#include <QFile>
#include <QStringDecoder>

namespace test {

namespace {

// Resolves \n, \t and \\; any other backslash sequence is an error.
bool Unescape(const QString& raw, QString& text) {
    text.clear();
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != u'\\') {
            text.append(c);
            continue;
        }
        if (++i >= raw.size())
            return false;
        switch (raw.at(i).unicode()) {
        case u'n':
            text.append(u'\n');
            break;
        case u't':
            text.append(u'\t');
            break;
        case u'\\':
            text.append(u'\\');
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace

StringTableFile StringTableFile::Parse(const QByteArray& content, int firstId, int lastId) {
    StringTableFile result;
    if (content.startsWith("\xEF\xBB\xBF"))
        result.errors << QStringLiteral("line 1: byte-order mark");
    const QList<QByteArray> lines = content.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray& bytes = lines.at(n);
        const QString where = QStringLiteral("line %1: ").arg(n + 1);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = decoder.decode(bytes);
        if (decoder.hasError()) {
            result.errors << where + QStringLiteral("not UTF-8");
            continue;
        }
        if (line.endsWith(u'\r'))
            result.errors << where + QStringLiteral("carriage return");
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0) {
            result.errors << where + QStringLiteral("no tab after the id");
            continue;
        }
        bool isNumber = false;
        const QString idText = line.left(tab);
        const int id = idText.toInt(&isNumber);
        if (!isNumber || idText != QString::number(id)) {
            result.errors << where + QStringLiteral("id is not a plain number: ") + idText;
            continue;
        }
        if (id < firstId || id > lastId) {
            result.errors << where + QStringLiteral("id out of range: %1").arg(id);
            continue;
        }
        if (result.texts.contains(id)) {
            result.errors << where + QStringLiteral("duplicate id %1").arg(id);
            continue;
        }
        QString text;
        if (!Unescape(line.mid(tab + 1), text)) {
            result.errors << where + QStringLiteral("bad escape");
            continue;
        }
        result.texts.insert(id, text);
    }
    return result;
}

StringTableFile StringTableFile::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        StringTableFile result;
        result.errors << QStringLiteral("cannot open ") + path;
        return result;
    }
    return Parse(file.readAll());
}

} // namespace test
