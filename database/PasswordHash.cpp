#include "database/PasswordHash.h"

#include "platform/com/Error.h"

#include <QByteArray>

#include <crypt.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace amb::database {

namespace {

const QString kSource = QStringLiteral("AmbDatabase.PasswordHash");
const char kPrefix[] = "$y$"; // yescrypt, libxcrypt's default cost

// The UTF-8 bytes of a secret, wiped when they are no longer needed.
class SecretBytes {
public:
    explicit SecretBytes(const QString& text) : m_bytes(text.toUtf8()) {}
    ~SecretBytes() { Wipe(m_bytes.data(), static_cast<size_t>(m_bytes.size())); }
    SecretBytes(const SecretBytes&) = delete;
    SecretBytes& operator=(const SecretBytes&) = delete;
    const char* Data() const { return m_bytes.constData(); }
    qsizetype Size() const { return m_bytes.size(); }

    static void Wipe(void* data, size_t size) { explicit_bzero(data, size); }

private:
    QByteArray m_bytes;
};

// libxcrypt's work area holds a copy of the phrase: kept off the stack and wiped afterwards.
class CryptArea {
public:
    CryptArea() : m_data(std::make_unique<crypt_data>()) {}
    ~CryptArea() { SecretBytes::Wipe(m_data.get(), sizeof(crypt_data)); }
    CryptArea(const CryptArea&) = delete;
    CryptArea& operator=(const CryptArea&) = delete;
    // The hash of the phrase with that setting, or "" when libxcrypt refuses.
    QString Hash(const SecretBytes& phrase, const QByteArray& setting) {
        const char* out =
            crypt_rn(phrase.Data(), setting.constData(), m_data.get(), static_cast<int>(sizeof(crypt_data)));
        if (!out || out[0] == '*')
            return QString();
        return QString::fromLatin1(out);
    }

private:
    std::unique_ptr<crypt_data> m_data;
};

// Compares every byte whatever the earlier ones were.
bool SameText(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

// A hash that no password typed at a log-in gives, for spending the time of a check.
const QString& DecoyHash() {
    static const QString decoy = [] {
        try {
            return HashPassword(QStringLiteral("decoy password of no account"));
        } catch (...) {
            return QString();
        }
    }();
    return decoy;
}

} // namespace

QString PasswordProblem(const QString& password) {
    if (password.trimmed().isEmpty())
        return QStringLiteral("The password is blank");
    if (password.size() > kMaxPasswordLength)
        return QStringLiteral("The password is longer than %1 characters").arg(kMaxPasswordLength);
    if (password.contains(QChar(u'\0')))
        return QStringLiteral("The password holds a NUL character");
    if (password.toUtf8().size() >= CRYPT_MAX_PASSPHRASE_SIZE)
        return QStringLiteral("The password is too long");
    return QString();
}

QString HashPassword(const QString& password) {
    const QString problem = PasswordProblem(password);
    if (!problem.isEmpty())
        throw platform::Error(platform::ErrorNumber::InvalidArgument, problem, kSource);
    char setting[CRYPT_GENSALT_OUTPUT_SIZE] = {};
    // No random bytes given: libxcrypt takes them from the operating system.
    if (!crypt_gensalt_rn(kPrefix, 0, nullptr, 0, setting, static_cast<int>(sizeof setting)))
        throw platform::Error(
            platform::ErrorNumber::DatabaseError,
            QStringLiteral("No salt for the password hash: %1").arg(QString::fromLocal8Bit(std::strerror(errno))),
            kSource);
    const SecretBytes phrase(password);
    CryptArea area;
    const QString hash = area.Hash(phrase, QByteArray(setting));
    if (hash.isEmpty())
        throw platform::Error(platform::ErrorNumber::DatabaseError, QStringLiteral("The password could not be hashed"),
                              kSource);
    return hash;
}

bool VerifyPassword(const QString& password, const QString& storedHash) noexcept {
    try {
        const bool usable = PasswordProblem(password).isEmpty() && storedHash.startsWith(QLatin1Char('$'));
        // An unusable pair is checked against the decoy, so it costs what a real check costs.
        const QByteArray setting = (usable ? storedHash : DecoyHash()).toLatin1();
        const SecretBytes phrase(usable ? password : QStringLiteral("x"));
        CryptArea area;
        const QString hash = area.Hash(phrase, setting);
        return usable && !hash.isEmpty() && SameText(hash.toLatin1(), storedHash.toLatin1());
    } catch (...) {
        return false;
    }
}

void SpendVerificationTime(const QString& password) noexcept {
    VerifyPassword(password.isEmpty() ? QStringLiteral("x") : password, DecoyHash());
}

} // namespace amb::database
