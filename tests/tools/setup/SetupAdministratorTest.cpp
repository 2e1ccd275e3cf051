#include "database/Manager.h"
#include "platform/registry/Registry.h"
#include "tests/support/Installer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <chrono>
#include <string>
#include <vector>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString Database(const test::TempDir& dir) {
    return QDir(test::InstalledAppDir(dir)).filePath("db.mdb");
}

bool CanLogIn(const test::TempDir& dir, const QString& password) {
    amb::database::Manager db;
    db.SetConnectionString(Database(dir));
    const auto user = db.GetUserByUsernameAndPassword("admin", password);
    return user && user->Field("IsAdmin").ToBool() && user->Field("IsEnabled").ToBool();
}

QString CompanyName() {
    platform::registry::ScopedKey key;
    QString name = "<missing>";
    if (platform::registry::OpenKey(platform::registry::LocalMachine, "SOFTWARE\\Orv Solutions\\Ambrel",
                                    key.Receive()) == 0)
        platform::registry::QueryString(key.Get(), "CompanyName", name);
    return name;
}

// Runs the installer on a new pseudo-terminal, typing each answer once its prompt has appeared.
// Returns the exit code (-1 when it did not end) and everything the terminal showed.
int RunOnTerminal(const test::TempDir& dir, const std::vector<std::pair<std::string, std::string>>& answers,
                  std::string& shown) {
    std::vector<std::string> strings{QString(test::BuiltProgramDir() + "/ambrel-setup").toStdString()};
    for (const QString& argument : test::InstallerArguments(dir))
        strings.push_back(argument.toStdString());
    std::vector<char*> argv;
    for (auto& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables{"AMBREL_REGISTRY_DIR=" + dir.RegistryDir().toStdString(),
                                       "HOME=" + dir.FilePath("home").toStdString(), "PATH=/usr/bin:/bin"};
    std::vector<char*> envp;
    for (auto& s : variables)
        envp.push_back(s.data());
    envp.push_back(nullptr);

    int master = -1;
    const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
    if (child < 0)
        return -1;
    if (child == 0) {
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    size_t next = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (;;) {
        pollfd fd{master, POLLIN, 0};
        if (poll(&fd, 1, 200) > 0) {
            char buffer[512];
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n <= 0)
                break; // the installer ended and closed the terminal
            shown.append(buffer, static_cast<size_t>(n));
        }
        if (next < answers.size() && shown.find(answers[next].first) != std::string::npos) {
            const std::string line = answers[next].second + "\n";
            if (write(master, line.data(), line.size()) < 0)
                break;
            shown += "<typed>";
            ++next;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            break;
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    close(master);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(SetupAdministrator, IsCreatedOnceAndItsPasswordIsNeverReplaced) {
    test::TempDir dir;
    auto result = test::RunInstaller(dir, {"--admin-password", " First pw 1"});
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("created the administrator account")) << result.output.toStdString();
    EXPECT_TRUE(CanLogIn(dir, " First pw 1"));
    EXPECT_FALSE(CanLogIn(dir, "First pw 1"));

    result = test::RunInstaller(dir, {"--admin-password", "Second pw 2"});
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("its password is kept")) << result.output.toStdString();
    EXPECT_TRUE(CanLogIn(dir, " First pw 1"));
    EXPECT_FALSE(CanLogIn(dir, "Second pw 2"));
    EXPECT_FALSE(result.output.contains("Second pw 2"));
}

TEST(SetupAdministrator, WithoutAPasswordNothingIsInstalled) {
    test::TempDir dir;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", dir.FilePath("home"));
    environment.insert("AMBREL_REGISTRY_DIR", dir.RegistryDir());
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice()); // no terminal to type at
    process.start(test::BuiltProgramDir() + "/ambrel-setup", test::InstallerArguments(dir));
    ASSERT_TRUE(process.waitForFinished(60000));
    const QString output = QString::fromUtf8(process.readAll());
    EXPECT_EQ(process.exitCode(), 2) << output.toStdString();
    EXPECT_TRUE(output.contains("--admin-password")) << output.toStdString();
    EXPECT_FALSE(QFileInfo::exists(test::InstalledAppDir(dir)));

    // A password the accounts refuse stops it the same way.
    const auto result = test::RunInstaller(dir, {"--admin-password", QString(1000, QChar(u'p'))});
    EXPECT_EQ(result.exitCode, 2) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("password is refused")) << result.output.toStdString();
    EXPECT_FALSE(QFileInfo::exists(test::InstalledAppDir(dir)));
}

TEST(SetupAdministrator, APasswordOnStandardInputIsReadOnceAndNeverWithTheOption) {
    test::TempDir dir;
    auto result =
        test::RunInstaller(dir, {"--admin-password-stdin", "--admin-password", "Other pw 1"}, true, "Piped pw 1\n");
    EXPECT_EQ(result.exitCode, 2) << result.output.toStdString();
    result = test::RunInstaller(dir, {"--admin-password-stdin"}); // nothing on standard input
    EXPECT_EQ(result.exitCode, 2) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("standard input")) << result.output.toStdString();
    EXPECT_FALSE(QFileInfo::exists(test::InstalledAppDir(dir)));

    result = test::RunInstaller(dir, {"--admin-password-stdin"}, true, "Piped pw 1\nsecond line\n");
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(CanLogIn(dir, "Piped pw 1"));
    EXPECT_FALSE(result.output.contains("Piped pw"));
}

TEST(SetupAdministrator, APasswordTypedAtTheTerminalIsNotShown) {
    test::TempDir dir;
    std::string shown;
    // Two different passwords: refused, nothing installed.
    const std::pair<std::string, std::string> name{"congregation's name", "Grace Church"};
    EXPECT_EQ(RunOnTerminal(dir, {name, {"administrator account", "Typed pw 9"}, {"again", "Typed pw 8"}}, shown), 2)
        << shown;
    EXPECT_NE(shown.find("differ"), std::string::npos) << shown;
    EXPECT_FALSE(QFileInfo::exists(test::InstalledAppDir(dir)));

    // The congregation's name is shown as typed; the password is not.
    shown.clear();
    ASSERT_EQ(RunOnTerminal(dir, {name, {"administrator account", "Typed pw 9"}, {"again", "Typed pw 9"}}, shown), 0)
        << shown;
    EXPECT_EQ(shown.find("Typed pw"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Grace Church"), std::string::npos) << shown;
    EXPECT_TRUE(CanLogIn(dir, "Typed pw 9"));
    EXPECT_EQ(CompanyName(), "Grace Church");

    // A later installation asks nothing: the account and the name exist.
    shown.clear();
    ASSERT_EQ(RunOnTerminal(dir, {}, shown), 0) << shown;
    EXPECT_EQ(shown.find("Password for"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("congregation's name"), std::string::npos) << shown;
    EXPECT_TRUE(CanLogIn(dir, "Typed pw 9"));
}
