#include "platform/registry/HiveFormat.h"

#include <QStringDecoder>

namespace platform::registry::HiveFormat {

namespace {

constexpr char Signature[] = "Ambrel registry 1";
constexpr char HexDigits[] = "0123456789abcdef";

// Key names cannot hold a backslash (it separates them); %, ] and control characters are
// written as %XX so a header line always ends at its own "]".
void AppendKeyName(QByteArray& out, const QString& name) {
    for (const char c : name.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || c == '%' || c == ']' || c == '[') {
            out += '%';
            out += HexDigits[byte >> 4];
            out += HexDigits[byte & 0xf];
        } else {
            out += c;
        }
    }
}

void AppendQuoted(QByteArray& out, const QString& text) {
    out += '"';
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7f) {
                out += "\\x";
                out += HexDigits[byte >> 4];
                out += HexDigits[byte & 0xf];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

// A key without values that has sub-keys needs no line of its own: its sub-keys imply it.
void AppendKey(QByteArray& out, const HiveKey& key, const QByteArray& path) {
    if (!key.Values().empty() || (!path.isEmpty() && key.SubKeys().empty())) {
        out += '\n';
        out += '[' + path + "]\n";
        for (const NamedValue& item : key.Values()) {
            if (item.name.isEmpty())
                out += '@';
            else
                AppendQuoted(out, item.name);
            out += '=';
            if (item.value.type == ValueType::DWord)
                out += "dword:" + QByteArray::number(item.value.number, 16).rightJustified(8, '0');
            else
                AppendQuoted(out, item.value.text);
            out += '\n';
        }
    }
    for (const HiveKey& sub : key.SubKeys()) {
        QByteArray subPath = path;
        if (!subPath.isEmpty())
            subPath += '\\';
        AppendKeyName(subPath, sub.Name());
        AppendKey(out, sub, subPath);
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The byte written as two hex digits at `pos`; false when there are not two hex digits there.
bool HexByte(const QByteArray& text, qsizetype pos, char& byte) {
    if (pos + 1 >= text.size())
        return false;
    const int high = HexValue(text[pos]);
    const int low = HexValue(text[pos + 1]);
    if (high < 0 || low < 0)
        return false;
    byte = static_cast<char>(high * 16 + low);
    return true;
}

bool DecodeUtf8(const QByteArray& bytes, QString& text) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    text = decoder.decode(bytes);
    return !decoder.hasError();
}

bool ParseKeyPath(const QByteArray& inner, QStringList& path) {
    path.clear();
    if (inner.isEmpty())
        return true;
    for (const QByteArray& part : inner.split('\\')) {
        QByteArray bytes;
        for (qsizetype i = 0; i < part.size(); ++i) {
            if (part[i] != '%') {
                bytes += part[i];
                continue;
            }
            char byte = 0;
            if (!HexByte(part, i + 1, byte))
                return false;
            bytes += byte;
            i += 2;
        }
        QString name;
        if (bytes.isEmpty() || !DecodeUtf8(bytes, name))
            return false;
        path << name;
    }
    return true;
}

// Reads a quoted text starting at `pos` (on the opening quote); leaves `pos` after the closing one.
bool ParseQuoted(const QByteArray& line, qsizetype& pos, QString& text) {
    if (pos >= line.size() || line[pos] != '"')
        return false;
    QByteArray bytes;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return DecodeUtf8(bytes, text);
        }
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (++pos >= line.size())
            return false;
        switch (line[pos]) {
        case '"':
            bytes += '"';
            break;
        case '\\':
            bytes += '\\';
            break;
        case 'n':
            bytes += '\n';
            break;
        case 'r':
            bytes += '\r';
            break;
        case 't':
            bytes += '\t';
            break;
        case 'x': {
            char byte = 0;
            if (!HexByte(line, pos + 1, byte))
                return false;
            bytes += byte;
            pos += 2;
            break;
        }
        default:
            return false;
        }
    }
    return false;
}

qsizetype SkipBlanks(const QByteArray& line, qsizetype pos) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
    return pos;
}

bool ParseValueLine(const QByteArray& line, HiveKey& key) {
    qsizetype pos = 0;
    QString name;
    if (line.startsWith('@'))
        pos = 1;
    else if (!ParseQuoted(line, pos, name))
        return false;
    pos = SkipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != '=')
        return false;
    pos = SkipBlanks(line, pos + 1);
    Value value;
    if (line.mid(pos).startsWith("dword:")) {
        const QByteArray digits = line.mid(pos + 6).trimmed();
        bool ok = false;
        value.type = ValueType::DWord;
        value.number = digits.size() <= 8 ? digits.toUInt(&ok, 16) : 0;
        if (!ok || digits.isEmpty())
            return false;
    } else {
        value.type = ValueType::String;
        if (!ParseQuoted(line, pos, value.text) || pos != line.size())
            return false;
    }
    key.SetValue(name, value);
    return true;
}

} // namespace

QByteArray Serialize(const HiveKey& root, const QString& title) {
    QByteArray out = QByteArray(Signature) + '\n';
    out += "; " + title.toUtf8() + " - edit only while no program of the system is running\n";
    AppendKey(out, root, QByteArray());
    return out;
}

bool Parse(const QByteArray& text, HiveKey& root) {
    int badLine = 0;
    return Parse(text, root, badLine);
}

bool Parse(const QByteArray& text, HiveKey& root, int& badLine) {
    root = HiveKey();
    badLine = 0;
    const QList<QByteArray> lines = text.split('\n');
    if (lines.isEmpty() || lines.front().trimmed() != Signature) {
        badLine = 1;
        return false;
    }
    HiveKey* current = nullptr;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        // trimmed() also drops the "\r" of a file saved with Windows line ends.
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        bool read = false;
        if (line.startsWith('[')) {
            QStringList path;
            read = line.endsWith(']') && ParseKeyPath(line.mid(1, line.size() - 2), path);
            bool created = false;
            if (read)
                current = &root.Create(path, created);
        } else {
            read = current && ParseValueLine(line, *current);
        }
        if (!read) {
            badLine = static_cast<int>(i + 1);
            return false;
        }
    }
    return true;
}

} // namespace platform::registry::HiveFormat
