#pragma once

#include <QWidget>

class QLabel;

namespace amb::ambrel {

// The window shown while the components are wired.
class SplashForm : public QWidget {
public:
    explicit SplashForm(QWidget* parent = nullptr);

    int32_t UpdateForm();

private:
    QLabel* lblVersion;
    QLabel* lblMessage;
};

// "Version " and the program's major.minor.revision.
QString ProgramVersionText();

} // namespace amb::ambrel
