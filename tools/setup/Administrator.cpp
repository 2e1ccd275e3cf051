#include "tools/setup/Administrator.h"

#include "tools/setup/Terminal.h"

#include "database/FirstAdministrator.h"
#include "database/PasswordHash.h"
#include "platform/com/Error.h"

#include <QDir>
#include <QFileInfo>

namespace amb::setup {

namespace {

const QString kOption = QStringLiteral("admin-password");
const QString kStdinOption = QStringLiteral("admin-password-stdin");

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

QString DatabasePath(const SetupContext& context) {
    return QDir(context.appDir).filePath(QStringLiteral("db.mdb"));
}

bool AskPassword(QString& password, QString& error) {
    QString again;
    if (!ReadLine("Password for the administrator account \"admin\": ", true, password) ||
        !ReadLine("The same password again: ", true, again)) {
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
                                     "keeps the account's password). Other users of this computer can see a "
                                     "command line: prefer the prompt, or --%1 in scripts.")
                          .arg(kStdinOption),
                      QStringLiteral("password")});
    parser.addOption(
        {kStdinOption, QStringLiteral("Read the administrator's password from the first line of standard input.")});
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
    if (context.parser.isSet(kOption) && context.parser.isSet(kStdinOption)) {
        error = QStringLiteral("give the administrator's password either with --%1 or with --%2, not both")
                    .arg(kOption, kStdinOption);
        return false;
    }
    if (context.parser.isSet(kOption)) {
        pending.password = context.parser.value(kOption);
    } else if (context.parser.isSet(kStdinOption)) {
        if (!ReadLine(nullptr, true, pending.password)) {
            error = QStringLiteral("--%1: standard input holds no line with the password").arg(kStdinOption);
            return false;
        }
    } else if (AtTerminal()) {
        if (!AskPassword(pending.password, error))
            return false;
    } else {
        error = QStringLiteral("the administrator account \"admin\" needs a password: run ambrel-setup in a "
                               "terminal to type it, or give it with --%1 (one line on standard input) or --%2 "
                               "<password>")
                    .arg(kStdinOption, kOption);
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
