#include "tests/support/SourceScan.h"

#include <gtest/gtest.h>

namespace {

using test::SourcesMatching;

// A window's answer to its opener, the kind of a batch, where an entry is saved and a message box's
// style are read by name, so a reader need not know which number means what.
TEST(NamedNumbers, ResponsesBatchKindsSaveTargetsAndMessageStylesAreNamed) {
    const char* patterns[] = {
        R"(SetResponse\(\s*\d|Response\(\)\s*[!=]=\s*\d|SetResponse\([^;]*\?\s*\d)",
        R"(SetBatchType\(\s*\d|m_batchType\s*[!=]=\s*\d)",
        R"(SetUpdateTarget\(\s*\d|m_updateTarget\s*[!=]=\s*\d)",
        R"((ShowMessage|ShowMessageText|MessageService::Show)\([^;]*,\s*\d+\s*\))",
    };
    for (const char* pattern : patterns)
        EXPECT_EQ(SourcesMatching(QRegularExpression(QString::fromLatin1(pattern))).join(u' ').toStdString(), "")
            << pattern;
}

} // namespace
