#include "application/StringTableFile.h"

#include <QFile>

#include <vector>

namespace amb::application {

namespace {

// The text part of a line with its escapes resolved.
QString UnescapeText(QStringView text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            result += c;
            continue;
        }
        const QChar next = text[++i];
        if (next == QLatin1Char('n'))
            result += QLatin1Char('\n');
        else if (next == QLatin1Char('t'))
            result += QLatin1Char('\t');
        else if (next == QLatin1Char('\\'))
            result += QLatin1Char('\\');
        else { // not an escape: kept as written
            result += c;
            result += next;
        }
    }
    return result;
}

QString Cut(QString text) {
    if (text.size() <= kMaxStringLength)
        return text;
    qsizetype length = kMaxStringLength;
    if (text[length - 1].isHighSurrogate()) // never half a character
        --length;
    text.truncate(length);
    return text;
}

} // namespace

platform::DictionaryPtr LoadStringTable(const QString& path, const platform::Dictionary* fallback) {
    std::vector<QString> texts(res::kLastId + 1);
    std::vector<bool> present(res::kLastId + 1, false);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        QString content = QString::fromUtf8(file.readAll());
        if (content.startsWith(QChar(0xFEFF)))
            content.remove(0, 1);
        for (QStringView line : QStringView(content).split(QLatin1Char('\n'))) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const qsizetype tab = line.indexOf(QLatin1Char('\t'));
            if (tab < 0)
                continue;
            bool isNumber = false;
            const int id = line.left(tab).trimmed().toInt(&isNumber);
            if (!isNumber || id < res::kFirstId || id > res::kLastId)
                continue;
            texts[id] = Cut(UnescapeText(line.mid(tab + 1)));
            present[id] = true;
        }
    }
    auto table = std::make_shared<platform::Dictionary>();
    for (int id = res::kFirstId; id <= res::kLastId; ++id) {
        const QString key = QString::number(id);
        table->SetItem(key, present[id] || !fallback ? texts[id] : fallback->Item(key).ToString());
    }
    return table;
}

} // namespace amb::application
