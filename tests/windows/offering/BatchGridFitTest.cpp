// The batch window at its default size, in both languages, as the help's steps fill it: every heading
// and every value of the grid is drawn whole inside its column, every column is inside the window, and
// a right-aligned column's texts keep a gap from the left-aligned ones beside them.

#include "tests/windows/offering/OfferingFixture.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>

#include <algorithm>
#include <climits>
#include <ostream>
#include <vector>

namespace {

using amb::EnumSupportedLocaleID;
using namespace amb::res;
using test::Child;

// Less than this between two columns' texts, about one Korean letter, reads as one word ("AmountNote").
constexpr int kLeastGap = 12;

struct Language {
    EnumSupportedLocaleID locale;
    int32_t databaseLcid;
    const char* tag;
    const char* amount; // as the help tells to type it
    const char* note;
    const char* description;
};

const Language kLanguages[] = {
    {.locale = EnumSupportedLocaleID::English,
     .databaseLcid = 1033,
     .tag = "en",
     .amount = "1,250.00",
     .note = "Building fund",
     .description = "Flowers for Christmas"},
    {.locale = EnumSupportedLocaleID::Korean,
     .databaseLcid = 1042,
     .tag = "ko",
     .amount = "50,000",
     .note = "건축 헌금",
     .description = "성탄절 꽃 장식"},
};

void PrintTo(const Language& language, std::ostream* os) {
    *os << language.tag;
}

// A key on whatever has the focus.
void Key(QWidget& window, Qt::Key key) {
    QWidget* focus = window.focusWidget();
    QTest::keyClick(focus ? focus : &window, key);
}

// Types into the box with the focus: Latin text key by key, Korean as the input method commits it.
void Type(QWidget& window, const QString& text) {
    QWidget* focus = window.focusWidget();
    ASSERT_NE(focus, nullptr);
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        QTest::keyClicks(focus, text);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(focus, &commit);
}

// Clicks into a box, as a person does, and types.
void ClickAndType(QDialog& dialog, const char* box, const QString& text) {
    auto* edit = Child<QWidget>(dialog, box);
    ASSERT_NE(edit, nullptr);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(8, edit->height() / 2));
    Type(dialog, text);
}

// A cell's style option as the grid's delegate makes it for painting.
class CellOptions : public QStyledItemDelegate {
public:
    QStyleOptionViewItem For(const QTreeWidget* list, const QModelIndex& cell) const {
        QStyleOptionViewItem option;
        option.initFrom(list);
        option.widget = list;
        option.font = list->font();
        option.rect = list->visualRect(cell);
        const int icon = list->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, list);
        option.decorationSize = list->iconSize().isValid() ? list->iconSize() : QSize(icon, icon);
        initStyleOption(&option, cell);
        return option;
    }
};

// Where a cell's text is drawn, in the grid's viewport: the style's text rectangle less its margins,
// which is where the style elides a text that is too long.
QRect TextArea(const QTreeWidget* list, const QStyleOptionViewItem& option) {
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    return list->style()->subElementRect(QStyle::SE_ItemViewItemText, &option, list).adjusted(margin, 0, -margin, 0);
}

// Where a heading's text is drawn, in the header; the header elides a text wider than this less 4.
QRect HeadingArea(const QHeaderView* header, int section) {
    QStyleOptionHeader option;
    option.initFrom(header);
    option.rect = QRect(header->sectionViewportPosition(section), 0, header->sectionSize(section), header->height());
    option.section = section;
    return header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header).adjusted(0, 0, -4, 0);
}

// The horizontal span of a text drawn in `area` with `alignment`.
std::pair<int, int> Span(const QRect& area, Qt::Alignment alignment, int width) {
    if (alignment & Qt::AlignRight)
        return {area.right() + 1 - width, area.right() + 1};
    if (alignment & Qt::AlignHCenter)
        return {area.center().x() - width / 2, area.center().x() + width - width / 2};
    return {area.left(), area.left() + width};
}

void ExpectWholeTexts(QTreeWidget* list, const QString& when) {
    SCOPED_TRACE(when.toStdString());
    QHeaderView* header = list->header();
    const QFontMetrics headingFont(header->font());
    const QFontMetrics valueFont(list->font());
    const int columns = list->columnCount();
    const int last = columns - 1;
    EXPECT_LE(header->sectionViewportPosition(last) + header->sectionSize(last), list->viewport()->width())
        << "the last column is outside the window";
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
    std::vector<std::pair<int, int>> headings;
    for (int i = 0; i < columns; ++i) {
        const QString heading = list->headerItem()->text(i);
        const QRect area = HeadingArea(header, i);
        const int width = headingFont.horizontalAdvance(heading);
        EXPECT_LE(width, area.width()) << "heading cut: " << heading.toStdString();
        headings.push_back(
            Span(area, Qt::Alignment(list->headerItem()->textAlignment(i)), std::min(width, area.width())));
    }
    const CellOptions options;
    std::vector<int> valueEnd(columns, 0), valueStart(columns, INT_MAX);
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        for (int i = 0; i < columns; ++i) {
            const QString value = list->topLevelItem(row)->text(i);
            if (value.isEmpty())
                continue;
            const QStyleOptionViewItem option = options.For(list, list->model()->index(row, i));
            const QRect area = TextArea(list, option);
            const int width = valueFont.horizontalAdvance(value);
            EXPECT_LE(width, area.width()) << "value cut: " << value.toStdString();
            const auto [start, end] = Span(area, option.displayAlignment, std::min(width, area.width()));
            valueStart[i] = std::min(valueStart[i], start);
            valueEnd[i] = std::max(valueEnd[i], end);
        }
    }
    // Neighbours read apart: the amount (right-aligned) and the note (left-aligned) above all.
    for (int i = 0; i + 1 < columns; ++i) {
        SCOPED_TRACE(list->headerItem()->text(i).toStdString());
        EXPECT_GE(headings[i + 1].first - headings[i].second, kLeastGap);
        if (valueEnd[i] > 0 && valueStart[i + 1] < INT_MAX) {
            EXPECT_GE(valueStart[i + 1] - valueEnd[i], kLeastGap);
        }
    }
}

// With AMB_SHOTS_DIR set, the window as it looks now.
void Shot(QDialog& dialog, const QString& name) {
    const QString folder = qEnvironmentVariable("AMB_SHOTS_DIR");
    if (!folder.isEmpty())
        dialog.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

class BatchGridFitTest : public test::OfferingWindowTest, public ::testing::WithParamInterface<Language> {
protected:
    BatchGridFitTest() : OfferingWindowTest(GetParam().locale, GetParam().databaseLcid) {
        m_hub->SetNameLocaleID(GetParam().locale);
    }

    // One entry as the help's steps type it: the type from its list, then Tab by Tab.
    void TypeOffering(QDialog& entry, const QString& envelope, const QString& note) {
        Key(entry, Qt::Key_Down); // the first offering type
        Key(entry, Qt::Key_Tab);  // the + button
        Key(entry, Qt::Key_Tab);
        Type(entry, envelope);
        Key(entry, Qt::Key_Tab); // Search...
        Key(entry, Qt::Key_Tab); // the date, kept
        Key(entry, Qt::Key_Tab);
        Type(entry, QString::fromUtf8(GetParam().amount));
        Key(entry, Qt::Key_Tab);
        Type(entry, note);
        Key(entry, Qt::Key_Return); // Next >
    }

    test::WindowSteps m_steps;
};

TEST_P(BatchGridFitTest, EveryHeadingAndValueOfTheGridIsWholeAtTheDefaultSize) {
    const int32_t giver = NewPerson(QStringLiteral("Park"), QStringLiteral("Grace"), QStringLiteral("박은혜"));
    const QString envelope = EnvelopCode(giver);
    ASSERT_FALSE(envelope.isEmpty());
    QSize defaultSize;
    m_steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
        defaultSize = batch.size();
        auto* list = Child<QTreeWidget>(batch, "lstvwList");
        m_steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& entry) {
            TypeOffering(entry, QString(), QString::fromUtf8(GetParam().note)); // an anonymous gift
            TypeOffering(entry, envelope, QString());
            Key(entry, Qt::Key_Escape); // Done
        });
        test::ClickTool(batch, "tbarBatch", 1);
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(list->topLevelItem(0)->text(0), Text(kTextUnknownGiver));
        EXPECT_EQ(list->topLevelItem(0)->text(4), QString::fromUtf8(GetParam().note));
        ExpectWholeTexts(list, QStringLiteral("waiting"));
        QTest::mouseClick(Child<QPushButton>(batch, "cmdSubmit"), Qt::LeftButton);
        EXPECT_EQ(Offerings(), 2);
        ExpectWholeTexts(list, QStringLiteral("submitted"));
        Shot(batch, QStringLiteral("batch-offering-") + QLatin1String(GetParam().tag));
    });
    m_loader->ShowBatchOfferingWindow();
    EXPECT_EQ(defaultSize, QSize(720, 420));

    m_steps.Add(QStringLiteral("BatchForm"), [&](QDialog& batch) {
        auto* list = Child<QTreeWidget>(batch, "lstvwList");
        m_steps.Add(QStringLiteral("OfferingExpenseForm"), [&](QDialog& entry) {
            Key(entry, Qt::Key_Down); // the first expense type
            ClickAndType(entry, "txtExpenseName", QString::fromUtf8(GetParam().description));
            ClickAndType(entry, "txtAmount", QString::fromUtf8(GetParam().amount));
            ClickAndType(entry, "txtNote", QString::fromUtf8(GetParam().note));
            Key(entry, Qt::Key_Return);
            Key(entry, Qt::Key_Escape);
        });
        test::ClickTool(batch, "tbarBatch", 1);
        ASSERT_EQ(list->topLevelItemCount(), 1);
        ExpectWholeTexts(list, QStringLiteral("expense"));
        QTest::mouseClick(Child<QPushButton>(batch, "cmdSubmit"), Qt::LeftButton);
        EXPECT_EQ(Expenses(), 1);
        ExpectWholeTexts(list, QStringLiteral("expense submitted"));
        Shot(batch, QStringLiteral("batch-expense-") + QLatin1String(GetParam().tag));
    });
    m_loader->ShowBatchExpenseWindow();
}

INSTANTIATE_TEST_SUITE_P(Languages, BatchGridFitTest, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) { return std::string(info.param.tag); });

} // namespace
