#pragma once

#include <QString>

#include <cstdint>

namespace amb::ambrel {

// The logged-in user of this run; empty (as after Clear) while nobody is logged in.
class CSession {
public:
    int32_t UserID() const { return m_userID; }
    void SetUserID(int32_t value) { m_userID = value; }
    bool IsAdmin() const { return m_isAdmin; }
    void SetIsAdmin(bool value) { m_isAdmin = value; }
    QString Username() const { return m_username; }
    // Stored in proper case: "aDMIN user" becomes "Admin User".
    void SetUsername(const QString& value);
    QString Fullname() const { return m_fullname; }
    void SetFullname(const QString& value) { m_fullname = value; }

    void Clear();

private:
    int32_t m_userID = 0;
    bool m_isAdmin = false;
    QString m_username;
    QString m_fullname;
};

// The first letter of each word in upper case, the other letters in lower case.
QString ProperCase(const QString& text);

} // namespace amb::ambrel
