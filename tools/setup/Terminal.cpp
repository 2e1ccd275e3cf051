#include "tools/setup/Terminal.h"

#include <cstdio>
#include <iostream>
#include <string>

#include <string.h>
#include <termios.h>
#include <unistd.h>

namespace amb::setup {

namespace {

// Turns the terminal's echo off for as long as it lives, and back on however the reading ends.
class NoEcho {
public:
    explicit NoEcho(bool active) {
        m_saved = active && tcgetattr(STDIN_FILENO, &m_old) == 0;
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

} // namespace

bool AtTerminal() {
    return isatty(STDIN_FILENO) == 1;
}

bool ReadLine(const char* prompt, bool secret, QString& line) {
    std::string text;
    bool read = false;
    {
        NoEcho quiet(secret); // before the prompt, so nothing typed at once is shown
        if (prompt) {
            std::fputs(prompt, stderr);
            std::fflush(stderr);
        }
        read = static_cast<bool>(std::getline(std::cin, text));
    }
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    explicit_bzero(text.data(), text.size());
    return read;
}

void Wipe(QString& text) {
    if (!text.isEmpty())
        explicit_bzero(text.data(), static_cast<size_t>(text.size()) * sizeof(QChar));
    text.clear();
}

} // namespace amb::setup
