#pragma once

// Value conversions, month arithmetic and the trace and log lines shared by every deliverable.
// AmbCommon is a static library: each deliverable linking it has its own copy of everything here,
// including its own GlobalLogTraceWriter.

#include "common/DateText.h"
#include "generic/OrvInterfaces/ILogTraceWriter.h"
#include "platform/data/Currency.h"
#include "platform/data/Variant.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

namespace amb {

// The conversions: none of them fails on odd input: Null, Empty, blank and unconvertible values give the defaults
// (empty text, 0, False, the no-date value, 0). Only AsLong and AsBoolean throw, platform::Error
// number 6 "Overflow", for numeric text outside the 32-bit range.
//
// Text forms: a Boolean reads "True"/"False", a date FormatDateText ("3/15/2024", "3/15/2024 14:30:00"),
// a number its plain decimal text. Numeric text is: blanks, an optional sign, digits with at most
// one '.', blanks ("12", " -2.5 ", ".5"); no thousands separators or exponents.

// The text without the blanks (spaces only, as the conversions define them) at either end.
QStringView TrimBlanks(QStringView text);

// Null, or the value as text trimmed of blanks when that is not empty. Never a number or a date.
platform::Variant NullIfBlank(const platform::Variant& value);
// The trimmed text; "" for Null/Empty/blank. A NUL character ends the text.
QString AsString(const platform::Variant& value);
// A whole number; fractions round half to even ("2.5" -> 2, "3.5" -> 4). Booleans and dates give 0.
int32_t AsLong(const platform::Variant& value);
// True for a non-zero number (after AsLong's rounding: "0.4" is False) or the text "true" in any case.
bool AsBoolean(const platform::Variant& value);
// The date, time kept; the no-date value NoDate() for anything that is no date. The no-date value is
// only ever read here: code that stores a date must treat NoDate() as "no date" (Null).
QDateTime AsDate(const platform::Variant& value);
double AsDouble(const platform::Variant& value);

// The checked forms for values that are about to be stored. A missing value (Null, Empty, blank)
// gives the default with *ok true; a present value that cannot be converted gives the default with
// *ok false, so the caller can refuse the save instead of storing a wrong value.
QDateTime AsDate(const platform::Variant& value, bool* ok);
// An exact amount: currency values as they are, whole numbers, doubles rounded to ten-thousandths,
// and amount texts such as "1234.5", "-0.10", "1,234.50", "$1,234.50", "(12.00)" (parentheses mean a
// negative amount), more than four decimals rounded half to even.
platform::Currency AsCurrency(const platform::Variant& value, bool* ok = nullptr);

// 1 January 1900, midnight: what AsDate gives for a value that is no date.
QDateTime NoDate();
bool IsNoDate(const QDateTime& value);
// The numeric-text test of the conversions above.
bool IsNumericText(QStringView text);

// Naive dates at midnight; an invalid date is returned unchanged.
QDateTime FirstDayOfMonth(const QDateTime& date);
QDateTime LastDayOfMonth(const QDateTime& date);

// Line layout: mark, " [", "M/d/yyyy", " ", "HH:mm:ss", "] ", object, ".", procedure, and
// " - " description when there is one. Line breaks and other control characters inside the parts
// are escaped ("\n", "\r", "\xNN") so that a message cannot forge a line of its own.

// "   " for 0 and any unknown level, "+++" for 7, "???" for 8, "!!!" for 9.
QString TraceLevelMark(int32_t level);
// The whole line as WriteTraceLine hands it to the writer, for the given moment.
QString FormatTraceLine(const QString& objectName, const QString& procedureName, const QString& description,
                        int32_t level, const QDateTime& moment);

// The writer of this deliverable; empty means that nothing is written. Set when the deliverable's
// entry object receives the hub, cleared by the main program before its shutdown.
orv::ILogTraceWriterPtr GlobalLogTraceWriter();
void SetGlobalLogTraceWriter(orv::ILogTraceWriterPtr writer);

// Hands a line to the writer's WriteTrace; a level-9 line then also goes to the log through
// WriteLogLine. False when no writer is attached or handing over failed, else True (also when the
// writer's tracing is off). The line is only built when the writer's TraceOn()/LogOn() is true.
// Never throws.
bool WriteTraceLine(const QString& objectName, const QString& procedureName, const QString& description,
                    int32_t level) noexcept;
// The same through the writer's WriteLog.
bool WriteLogLine(const QString& objectName, const QString& procedureName, const QString& description,
                  int32_t level) noexcept;

} // namespace amb
