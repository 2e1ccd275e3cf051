#include "tests/support/StringTableFile.h"

#include <QFile>
#include <QStringDecoder>

namespace test {

StringTableFile StringTableFile::Parse(const QByteArray& content, int firstId, int lastId) {
    StringTableFile result;
    const QList<QByteArray> lines = content.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString where = QStringLiteral("line %1: ").arg(n + 1);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = decoder.decode(lines.at(n));
        if (decoder.hasError() || line.endsWith(u'\r')) {
            result.errors << where + QStringLiteral("not plain UTF-8");
            continue;
        }
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        bool isNumber = false;
        const int id = line.left(tab).toInt(&isNumber);
        if (tab < 0 || !isNumber || line.left(tab) != QString::number(id) || id < firstId || id > lastId ||
            result.texts.contains(id)) {
            result.errors << where + QStringLiteral("bad or repeated id");
            continue;
        }
        // \n, \t and \\ are the only escapes.
        QString text;
        const QString raw = line.mid(tab + 1);
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw.at(i) != u'\\') {
                text.append(raw.at(i));
                continue;
            }
            const QChar next = ++i < raw.size() ? raw.at(i) : QChar();
            if (next == u'n' || next == u't' || next == u'\\')
                text.append(next == u'n' ? u'\n' : next == u't' ? u'\t' : u'\\');
            else
                result.errors << where + QStringLiteral("bad escape");
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
