#include "windows/forms/PersonSearch.h"

#include "contracts/IWindowLoader.h"
#include "platform/com/Error.h"

namespace amb::windows {

int32_t SearchPerson(const IApplicationPtr& hub) {
    const IWindowLoaderPtr loader = hub->WindowLoader();
    if (!loader)
        throw platform::Error::ObjectNotSet(QStringLiteral("AmbWindows.SearchForm"));
    const int32_t id = loader->ShowSearchWindow(EnumSearchWindowType::PersonSearch, 0);
    return id > 0 ? id : 0;
}

} // namespace amb::windows
