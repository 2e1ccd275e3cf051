#pragma once

#include <QString>

namespace amb::setup {

// Whether standard input is a terminal a person can type at.
bool AtTerminal();

// Shows `prompt` on standard error and reads one line from standard input, without its line end;
// with `secret` the terminal does not show what is typed. False at the end of the input.
bool ReadLine(const char* prompt, bool secret, QString& line);

// Overwrites the characters of a password before the text lets go of them.
void Wipe(QString& text);

} // namespace amb::setup
