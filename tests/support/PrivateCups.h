#pragma once

#include <QString>

namespace test {

// Starts, once per process, a print server of the test's own on a socket that CUPS_SERVER then names,
// with one printer, the default, whose jobs pass the PDF filter (which honours "page-ranges", as a real
// queue does) into one PDF file. Empty when it runs; otherwise why not.
QString StartPrivateCups();
// Once the server holds no job, moves the PDF the printer left to `path`; false when it left none.
bool TakePrintedJob(const QString& path);

} // namespace test
