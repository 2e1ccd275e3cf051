#include "main/CSession.h"

namespace amb::ambrel {

QString ProperCase(const QString& text) {
    QString result = text.toLower();
    bool wordStart = true;
    for (QChar& c : result) {
        if (c.isLetterOrNumber()) {
            if (wordStart)
                c = c.toUpper();
            wordStart = false;
        } else {
            wordStart = c.isSpace();
        }
    }
    return result;
}

void CSession::SetUsername(const QString& value) {
    m_username = ProperCase(value);
}

void CSession::Clear() {
    m_userID = 0;
    m_isAdmin = false;
    m_username.clear();
    m_fullname.clear();
}

} // namespace amb::ambrel
