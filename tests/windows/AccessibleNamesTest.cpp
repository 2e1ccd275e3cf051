#include "tests/support/AccessibleNames.h"
#include "tests/windows/EveryWindow.h"

#include <QDialog>

// A screen reader reads a control by its accessible name and finds a box's label through the Label
// relation. Every window the loader opens is walked page by page in both interface languages.

namespace {

// Controls that are not read as boxes of their own.
const test::UnnamedControl kUnnamed[] = {
    // The tick box in front of these dates is their label ("Baptized", "Member"): a reader announces the
    // tick box with its caption, and the date part carries the same name, but Qt's Label relation is
    // for a QLabel only.
    {"dtpBaptized", "labelled by the tick box chkIsBaptized, whose caption names it"},
    {"dtpJoined", "labelled by the tick box chkIsMember, whose caption names it"},
};

using AccessibleNamesTest = test::EveryWindowTest;

TEST_P(AccessibleNamesTest, EveryControlOfEveryWindowIsNamedAfterItsLabelOrCaption) {
    const test::WindowRecords records = FillRecords();
    for (const amb::WindowEntryInfo& info : amb::kWindowEntries) {
        QStringList problems;
        int shown = 0;
        test::ModalScript script([&](QDialog& dialog) {
            if (shown++ > 0)
                return;
            test::DumpAccessibleTree(dialog, QString::fromLatin1(info.entry.data(), qsizetype(info.entry.size())) +
                                                 (Korean() ? QStringLiteral("-1042") : QStringLiteral("-1033")));
            problems = test::AccessibleNameProblemsOnEveryPage(dialog, kUnnamed);
            problems << test::TabReachedNameProblems(dialog, kUnnamed);
        });
        Open(info, records);
        EXPECT_GE(shown, 1) << info.entry << " showed no window";
        EXPECT_TRUE(problems.isEmpty()) << info.entry << ":\n" << problems.join(QLatin1Char('\n')).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, AccessibleNamesTest, test::kBothLanguages, test::LanguageName);

} // namespace
