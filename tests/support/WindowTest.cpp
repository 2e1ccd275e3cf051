#include "tests/support/WindowTest.h"

#include "platform/com/Factory.h"
#include "tests/support/Components.h"
#include "windows/base/ModalRunner.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

namespace test {

namespace {

int32_t FirstButton(int32_t style) {
    switch (style & 0xF) {
    case amb::MessageStyle::AbortRetryIgnore:
        return amb::MessageResult::Abort;
    case amb::MessageStyle::YesNoCancel:
    case amb::MessageStyle::YesNo:
        return amb::MessageResult::Yes;
    case amb::MessageStyle::RetryCancel:
        return amb::MessageResult::Retry;
    default:
        return amb::MessageResult::OK;
    }
}

// With AMB_SHOTS_DIR set, every window a test shows is saved there as a PNG as it first appears
// (test name, window name, count), so the windows can be looked at in both languages without a display.
void SaveShot(QDialog& dialog) {
    const QString folder = qEnvironmentVariable("AMB_SHOTS_DIR");
    if (folder.isEmpty())
        return;
    static int count = 0;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString name =
        test ? QString::fromLatin1(test->test_suite_name()) + QLatin1Char('.') + QString::fromLatin1(test->name())
             : QStringLiteral("shot");
    QDir().mkpath(folder);
    dialog.grab().save(QDir(folder).filePath(QStringLiteral("%1-%2-%3.png")
                                                 .arg(name, dialog.objectName())
                                                 .arg(++count, 3, 10, QLatin1Char('0'))
                                                 .replace(QLatin1Char('/'), QLatin1Char('_'))));
}

} // namespace

ScriptedMessages::ScriptedMessages() {
    amb::MessageService::SetAnswerer([this](const amb::Message& message) {
        m_shown.push_back(message);
        if (m_hook)
            m_hook(message);
        if (m_answers.empty())
            return FirstButton(message.style);
        const int32_t answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    });
}

ScriptedMessages::~ScriptedMessages() {
    amb::MessageService::SetAnswerer({});
}

QStringList ScriptedMessages::Texts() const {
    QStringList texts;
    for (const amb::Message& message : m_shown)
        texts << message.text;
    return texts;
}

ModalScript::ModalScript(Step step) : m_step(std::move(step)) {
    amb::ModalRunner::SetRunner([this](QDialog& dialog) {
        ++m_runs;
        dialog.show();
        dialog.activateWindow();
        // Focus tests need the dialog active; the offscreen platform activates at once.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog, 1000));
        SaveShot(dialog);
        if (m_step)
            m_step(dialog);
        if (dialog.isVisible())
            dialog.reject();
        return dialog.result();
    });
}

ModalScript::~ModalScript() {
    amb::ModalRunner::SetRunner({});
}

void TypeText(QWidget& dialog, const char* box, const QString& text) {
    auto* edit = Child<QLineEdit>(dialog, box);
    if (!edit)
        return;
    edit->setFocus();
    edit->setText(text);
}

void Click(QWidget& dialog, const char* button) {
    if (auto* target = Child<QAbstractButton>(dialog, button))
        ClickWidget(target);
}

namespace {

// Where a person clicks a control: a tick box or an option at its box and text (a layout may stretch
// it far past them), anything else at its middle.
QPoint MiddleOf(QWidget* target) {
    const bool check = qobject_cast<QCheckBox*>(target) != nullptr;
    if (check || qobject_cast<QRadioButton*>(target)) {
        QStyleOptionButton option;
        option.initFrom(target);
        option.text = static_cast<QAbstractButton*>(target)->text();
        return target->style()
            ->subElementRect(check ? QStyle::SE_CheckBoxClickRect : QStyle::SE_RadioButtonClickRect, &option, target)
            .center();
    }
    return target->rect().center();
}

// A window that is shown and active, as a person's pointer and keyboard find it (the offscreen platform,
// unlike a window manager, gives no window the activation back when a drop-down or menu closes).
void Activate(QWidget* window) {
    if (!window->isVisible())
        window->show();
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 1000));
    }
}

} // namespace

void ClickWidget(QWidget* target, QPoint at) {
    ASSERT_NE(target, nullptr);
    // Only a shown, active window takes a person's click.
    Activate(target->window());
    ASSERT_TRUE(target->isVisible()) << "a hidden control cannot be clicked: " << target->objectName().toStdString();
    if (at.isNull())
        at = MiddleOf(target);
    // The press moves the focus first, as on a desktop; the release then runs the command.
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
}

void PressKey(QWidget& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    // The keyboard's keys go to the control that has the focus.
    QWidget* focus = QApplication::focusWidget();
    QWidget* target = focus && focus->window() == dialog.window() ? focus
                      : dialog.focusWidget()                      ? dialog.focusWidget()
                                                                  : &dialog;
    QTest::keyClick(target, key, modifiers);
}

void PressKeyIn(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    ASSERT_NE(control, nullptr);
    // An open drop-down takes the keys while it shows.
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup)
        Activate(control->window());
    QWidget* focus = popup ? (popup->focusWidget() ? popup->focusWidget() : popup) : QApplication::focusWidget();
    ASSERT_TRUE(focus && (focus == control || control->isAncestorOf(focus) || focus->isAncestorOf(control)))
        << "the key would go to " << (focus ? focus->objectName().toStdString() : "nothing") << ", not to "
        << control->objectName().toStdString() << " active "
        << (QApplication::activeWindow() ? QApplication::activeWindow()->metaObject()->className() : "none") << " "
        << (control->window()->focusWidget() ? control->window()->focusWidget()->objectName().toStdString() : "-");
    QTest::keyClick(focus, key, modifiers);
}

void ClickTab(QTabWidget* tabs, int page) {
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
}

void ClickTab(QWidget& window, const char* tabs, int page) {
    if (auto* control = Child<QTabWidget>(window, tabs))
        ClickTab(control, page);
}

void ClickHeader(QTreeView* list, int column) {
    QHeaderView* header = list->header();
    ASSERT_FALSE(header->isHidden());
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void ClickToolbarButton(QToolBar* bar, QAction* action) {
    QWidget* button = bar && action ? bar->widgetForAction(action) : nullptr;
    ASSERT_NE(button, nullptr);
    ClickWidget(button);
}

amb::IWindowLoaderPtr CreateWindowLoader() {
    if (!RegisterBuiltComponent(QStringLiteral("libAmbWindows.so")))
        return {};
    return platform::com::CreateObjectAs<amb::IWindowLoader>(QStringLiteral("AmbWindows.WindowLoader"));
}

WindowTest::WindowTest(amb::EnumSupportedLocaleID guiLocale)
    : m_writer(std::make_shared<RecordingLogWriter>()), m_hub(HubWithWriter(m_writer, guiLocale)) {
    m_hub->SetAppDir(m_temp.Path());
    m_loader = CreateWindowLoader();
    if (m_loader) {
        m_hub->SetWindowLoader(m_loader);
        m_loader->SetAmbApplication(m_hub);
    }
}

WindowTest::~WindowTest() {
    // As the main program's shutdown: detach the loader both ways, so neither keeps the other.
    if (m_loader)
        m_loader->SetAmbApplication(nullptr);
    m_hub->SetWindowLoader(nullptr);
    m_loader.reset();
}

QString WindowTest::Text(int32_t id) const {
    return m_hub->StringTable()->Item(QString::number(id)).ToString();
}

} // namespace test
