#include "windows/forms/report/FormServices.h"

#include "common/widgets/ControlHelpers.h"
#include "windows/base/WindowSupport.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace amb::windows {

namespace {

class FocusSelection : public QObject {
public:
    FocusSelection(const WindowSupport& support, QWidget* box) : QObject(box), m_support(support), m_box(box) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_box && event->type() == QEvent::FocusIn)
            m_support.Handle(m_box->objectName() + QStringLiteral("_GotFocus()"), [this] { SelectAllText(m_box); });
        return QObject::eventFilter(watched, event);
    }

private:
    const WindowSupport& m_support;
    QWidget* m_box;
};

} // namespace


void SelectAllOnFocus(const WindowSupport& support, QWidget* box) {
    box->installEventFilter(new FocusSelection(support, box));
}

} // namespace amb::windows
