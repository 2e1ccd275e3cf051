#include "platform/reportengine/PagedReport.h"

namespace platform::reportengine {

PagedReport::PagedReport(std::shared_ptr<const Definition> def, LayoutInput input)
    : m_def(std::move(def)), m_input(std::move(input)) {
    m_input.Def = m_def.get();
    LayoutSinks count;
    count.Begin = [this](const Document& frame) { m_frame = frame; };
    count.KeepLines = &m_lines;
    m_input.LabelCut = [this](const CutLabel& label) { m_cutLabels.push_back(label); };
    m_pageCount = LayOutInto(m_input, count);
    // Later passes lay out the same rows again: what was cut is known.
    m_input.LabelCut = nullptr;
    m_input.ValueCut = nullptr;
}

std::vector<CutLabel> PagedReport::CutLabels(int from, int to) const {
    const int last = to > 0 ? to : m_pageCount;
    std::vector<CutLabel> on;
    for (const CutLabel& label : m_cutLabels)
        if (label.Page >= std::max(1, from) && label.Page <= last)
            on.push_back(label);
    return on;
}

void PagedReport::ForEachPage(int from, int to, const std::function<void(const Page&, int)>& draw) const {
    const int first = std::max(1, from);
    const int last = to > 0 ? std::min(to, m_pageCount) : m_pageCount;
    if (first > last)
        return;
    LayoutSinks sinks;
    sinks.PageCount = m_pageCount;
    sinks.FromPage = first;
    sinks.ToPage = last;
    sinks.PageDone = [&draw](Page&& page, int number) { draw(page, number); };
    sinks.KeptLines = &m_lines;
    LayOutInto(m_input, sinks);
}

void StreamFlow(const LayoutInput& input, const std::function<void(const Document&)>& begin,
                const std::function<void(FlowBlock&&)>& block) {
    LayoutSinks sinks;
    sinks.Begin = begin;
    sinks.FlowDone = block;
    LayOutInto(input, sinks);
}

} // namespace platform::reportengine
