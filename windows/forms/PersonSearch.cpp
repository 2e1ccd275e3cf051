#include "windows/forms/PersonSearch.h"

#include "windows/base/ModalRunner.h"
#include "windows/forms/SearchForm.h"

#include <memory>

namespace amb::windows {

PersonChoice SearchPerson(QWidget* owner, const IWindowLoaderPtr& loader) {
    const auto form = std::make_unique<SearchForm>(owner);
    form->SetWindowLoader(loader);
    PersonChoice choice;
    if (form->UpdateForm() > 0) {
        ModalRunner::Run(*form);
        if (form->Response() == FormResponse::OK) {
            choice.id = form->ID();
            choice.key = form->SelectedKey();
        }
    }
    return choice;
}

} // namespace amb::windows
