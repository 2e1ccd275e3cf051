#include "platform/com/Error.h"

namespace platform {

Error::Error(int32_t number, QString description, QString source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source)),
      m_what(QStringLiteral("[%1] %2 (%3)").arg(m_number).arg(m_description, m_source).toUtf8()) {}

Error::~Error() = default;

Error Error::ObjectNotSet(QString source) {
    return Error(ErrorNumber::ObjectNotSet, QStringLiteral("Object variable or With block variable not set"),
                 std::move(source));
}

} // namespace platform
