#include "common/ErrorGuard.h"

#include "platform/com/Error.h"

#include <new>

namespace amb {

namespace {
constexpr int32_t kOutOfMemory = 7;
constexpr int32_t kUnspecified = platform::ErrorNumber::Unspecified;
} // namespace

ErrorInfo CurrentErrorInfo() noexcept {
    try {
        const std::exception_ptr current = std::current_exception();
        if (!current)
            return {kUnspecified, QStringLiteral("Unspecified error"), QString()};
        try {
            std::rethrow_exception(current);
        } catch (const platform::Error& e) {
            return {e.Number(), e.Description(), e.Source()};
        } catch (const std::bad_alloc&) {
            return {kOutOfMemory, QStringLiteral("Out of memory"), QString()};
        } catch (const std::exception& e) {
            const QString text = QString::fromUtf8(e.what());
            return {kUnspecified, text.isEmpty() ? QStringLiteral("Unspecified error") : text, QString()};
        } catch (...) {
            return {kUnspecified, QStringLiteral("Unspecified error"), QString()};
        }
    } catch (...) {
        return {};
    }
}

QString FailureDescription(const ErrorInfo& error) {
    return QLatin1Char('[') + QString::number(error.Number) + QLatin1String("] ") + error.Description;
}

void WriteFailureLine(const QString& objectName, const QString& procedureName) noexcept {
    try {
        WriteTraceLine(objectName, procedureName, FailureDescription(CurrentErrorInfo()), 9);
    } catch (...) {
        // Logging never fails the caller.
    }
}

} // namespace amb
