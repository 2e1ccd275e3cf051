#include "windows/forms/member/PersonListPages.h"

#include "windows/forms/member/PersonLists.h"

#include "windows/base/ReadCheck.h"

#include <QTabWidget>

#include <algorithm>

namespace amb::windows {

PersonListPages::PersonListPages(const PersonPagesHost& host) : m_host(host) {}

PersonListPages::~PersonListPages() = default;

void PersonListPages::CreateLists(QTabWidget* pages, bool (*takes)(const PersonList&), const OpenCommands& open) {
    for (const PersonList& list : PersonLists()) {
        if (!takes(list))
            continue;
        RecordListCommands commands;
        open(list, commands);
        if (list.remove)
            commands.remove = [this, &list](int32_t id) { return (m_host.context.database().get()->*list.remove)(id); };
        commands.selectionChanged = [this, &list] { m_host.enableButtons(list.bit); };
        m_entries.push_back(
            {list, std::make_unique<RecordListPart>(pages, m_host.context.support, list.shape, std::move(commands))});
    }
}

RecordListPart& PersonListPages::Of(int32_t bit) const {
    return *std::find_if(m_entries.cbegin(), m_entries.cend(), [bit](const Entry& e) { return e.list.bit == bit; })
                ->part;
}

void PersonListPages::ForEach(const std::function<void(const PersonList&, RecordListPart&)>& visit) const {
    for (const Entry& e : m_entries)
        visit(e.list, *e.part);
}

void PersonListPages::AddPages(QTabWidget* pages) const {
    ForEach([pages](const PersonList&, RecordListPart& part) { pages->addTab(part.Page(), QString()); });
}

void PersonListPages::OrderTabStops() const {
    ForEach([](const PersonList&, RecordListPart& part) { part.OrderTabStops(); });
}

void PersonListPages::SetCaptions(QTabWidget* pages) const {
    ForEach([&](const PersonList& list, RecordListPart& part) {
        pages->setTabText(list.page, m_host.context.support.Text(list.title));
        part.SetCaptions(pages->tabText(list.page));
    });
}

void PersonListPages::Configure(int32_t mask) const {
    ForEach([mask](const PersonList& list, RecordListPart& part) {
        if ((mask & list.bit) != 0)
            part.Configure();
    });
}

void PersonListPages::Refresh(int32_t mask, ReadCheck& read) const {
    ForEach([&](const PersonList& list, RecordListPart& part) {
        if ((mask & list.bit) != 0)
            part.Fill(read(Rows(list)));
    });
}

void PersonListPages::EnableButtons(int32_t mask) const {
    ForEach([mask](const PersonList& list, RecordListPart& part) {
        if ((mask & list.bit) != 0)
            part.EnableButtons();
    });
}

void PersonListPages::DropWrites() const {
    ForEach([](const PersonList&, RecordListPart& part) { part.DropWrites(); });
}

void PersonListPages::ShowPage(int page) const {
    ForEach([page](const PersonList& list, RecordListPart& part) { part.SetEnabled(list.page == page); });
}

platform::RecordsetPtr PersonListPages::Rows(const PersonList& list) const {
    return (m_host.context.database().get()->*list.read)(m_host.personId());
}

} // namespace amb::windows
