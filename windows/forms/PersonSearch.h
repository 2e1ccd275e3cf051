#pragma once

#include "contracts/IWindowLoader.h"

#include <QString>

#include <cstdint>

class QWidget;

namespace amb::windows {

// The person chosen in the person search window: id 0 when the search was cancelled.
struct PersonChoice {
    int32_t id = 0;
    QString key; // the result row's key, "id||<ID>||<envelope code>"
};

// Opens the person search window with `owner` as its owner, as the report and offering windows do:
// shown only when it filled itself, released in every case.
PersonChoice SearchPerson(QWidget* owner, const IWindowLoaderPtr& loader);

} // namespace amb::windows
