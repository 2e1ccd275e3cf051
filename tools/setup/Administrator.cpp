#include "tools/setup/Administrator.h"

#include "database/FirstAdministrator.h"
#include "database/PasswordHash.h"
#include "platform/com/Error.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <iostream>
#include <string>

#include <string.h>
#include <termios.h>
#include <unistd.h>

namespace amb::setup {

namespace {

const QString kOption = QStringLiteral("admin-password");

// Between the check and the run: whether the account is to be made, and with which password.
struct Pending {
    bool create = false;
    QString password;
    QString note; // what the run says when it makes nothing
};
Pending& State() {
    static Pending pending;
    return pending;
}

void Wipe(QString& text) {
    if (!text.isEmpty())
        explicit_bzero(text.data(), static_cast<size_t>(text.size()) * sizeof(QChar));
    text.clear();
}

QString DatabasePath(const SetupContext& context) {
    return QDir(context.appDir).filePath(QStringLiteral("db.mdb"));
}

// Turns the terminal's echo off for as long as it lives, and back on however the reading ends.
class NoEcho {
public:
    NoEcho() {
        m_saved = tcgetattr(STDIN_FILENO, &m_old) == 0;
        if (m_saved) {
            termios quiet = m_old;
            quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            quiet.c_lflag |= ECHONL;
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
        }
    }
    ~NoEcho() {
        if (m_saved)
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_old);
    }
    NoEcho(const NoEcho&) = delete;
    NoEcho& operator=(const NoEcho&) = delete;

private:
    termios m_old{};
    bool m_saved = false;
};

// One line typed at the terminal without echo; false at the end of the input.
bool ReadSecretLine(const char* prompt, QString& line) {
    std::string text;
    bool read = false;
    {
        NoEcho quiet; // before the prompt, so nothing typed at once is shown
        std::fputs(prompt, stderr);
        std::fflush(stderr);
        read = static_cast<bool>(std::getline(std::cin, text));
    }
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    explicit_bzero(text.data(), text.size());
    return read;
}

bool AskPassword(QString& password, QString& error) {
    QString again;
    if (!ReadSecretLine("Password for the administrator account \"admin\": ", password) ||
        !ReadSecretLine("The same password again: ", again)) {
        error = QStringLiteral("no password was typed for the administrator account");
        return false;
    }
    const bool same = password == again;
    Wipe(again);
    if (!same) {
        error = QStringLiteral("the two passwords for the administrator account differ");
        return false;
    }
    return true;
}

} // namespace

void AddAdministratorOptions(QCommandLineParser& parser) {
    parser.addOption({kOption,
                      QStringLiteral("The password of the administrator account \"admin\", made by the first "
                                     "installation (asked for at the terminal when not given; a later installation "
                                     "keeps the account's password)."),
                      QStringLiteral("password")});
}

bool CheckAdministrator(SetupContext& context, QString& error) {
    Pending& pending = State();
    const QString path = DatabasePath(context);
    const QFileInfo database(path);
    if (database.exists() && !database.isFile())
        return true; // the database step reports what is in its place
    if (database.exists()) {
        try {
            if (amb::database::FirstAdministratorExists(path))
                return true;
        } catch (const platform::Error& e) {
            // An existing file is the congregation's: it is left as it is, whatever it holds.
            pending.note = QStringLiteral("cannot read the accounts of %1 (%2); the file is left as it is")
                               .arg(path, e.Description());
            return true;
        }
    }
    pending.create = true;
    if (context.parser.isSet(kOption)) {
        pending.password = context.parser.value(kOption);
    } else if (isatty(STDIN_FILENO)) {
        if (!AskPassword(pending.password, error))
            return false;
    } else {
        error = QStringLiteral("the administrator account \"admin\" needs a password: give it with --%1 <password>, "
                               "or run ambrel-setup in a terminal to type it")
                    .arg(kOption);
        return false;
    }
    const QString problem = amb::database::PasswordProblem(pending.password);
    if (!problem.isEmpty()) {
        Wipe(pending.password);
        error = QStringLiteral("the administrator's password is refused: %1").arg(problem);
        return false;
    }
    return true;
}

bool CreateAdministrator(SetupContext& context, QString& error) {
    Pending& pending = State();
    if (!pending.create) {
        context.out << "  "
                    << (pending.note.isEmpty()
                            ? QStringLiteral("the administrator account \"admin\" exists; its password is kept")
                            : pending.note)
                    << Qt::endl;
        return true;
    }
    bool created = false;
    try {
        created = amb::database::CreateFirstAdministrator(DatabasePath(context), pending.password);
    } catch (const platform::Error& e) {
        error = e.Description();
    }
    Wipe(pending.password);
    pending.create = false;
    if (!error.isEmpty())
        return false;
    context.out << (created ? "  created the administrator account \"admin\""
                            : "  the administrator account \"admin\" exists; its password is kept")
                << Qt::endl;
    return true;
}

} // namespace amb::setup
