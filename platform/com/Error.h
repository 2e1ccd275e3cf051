#pragma once

#include <QString>

#include <cstdint>
#include <exception>

namespace platform {

// A failure inside a library: the number, description and source that level-9 lines and the
// "Error" box show. Caught only by a contract member or an event handler.
class Error : public std::exception {
public:
    Error(int32_t number, QString description, QString source);
    ~Error() override;

    // The automation error 91 of using a reference that holds nothing.
    static Error ObjectNotSet(QString source);

    int32_t Number() const { return m_number; }
    const QString& Description() const { return m_description; }
    const QString& Source() const { return m_source; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    int32_t m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};

// Error numbers of the platform layers, in the range of the old automation errors.
namespace ErrorNumber {
constexpr int32_t ClassNotRegistered = -2147221164; // 0x80040154
constexpr int32_t InvalidClassString = -2147221005; // 0x800401F3, no such class name
constexpr int32_t ClassNotAvailable = -2147221231;  // 0x80040111, the library lacks the class
constexpr int32_t ProcedureNotFound = -2147024769;  // 0x8007007F, no entry point
constexpr int32_t CannotLoadLibrary = -2147024770;  // 0x8007007E
constexpr int32_t NoSuchInterface = -2147467262;    // 0x80004002
constexpr int32_t InvalidArgument = -2147024809;    // 0x80070057
constexpr int32_t ItemNotFound = 3265;              // field or item not in the collection
constexpr int32_t TypeMismatch = 13;
constexpr int32_t PathNotFound = 76; // a folder or file path that cannot be used
constexpr int32_t DiskFull = 61;     // no room left on the disk (or in the quota) of a file being written
constexpr int32_t Overflow = 6;
constexpr int32_t SubscriptOutOfRange = 9; // an index or page beyond the end
constexpr int32_t ObjectNotSet = 91;
constexpr int32_t Unspecified = -2147467259;   // 0x80004005, the unspecified failure
constexpr int32_t DatabaseError = Unspecified; // the provider reports its failures so
} // namespace ErrorNumber

} // namespace platform
