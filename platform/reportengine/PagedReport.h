#pragma once

#include "platform/reportengine/Definition.h"
#include "platform/reportengine/Document.h"
#include "platform/reportengine/Layout.h"

#include <functional>
#include <memory>
#include <vector>

namespace platform::reportengine {

// A report whose pages are made one at a time. The first pass decides the page breaks and keeps only
// the page count (which "Page N of M" needs) and the lines it measured in each cell (a few bytes a
// cell); every later pass places those lines again without measuring and hands each wanted page on as
// soon as it is finished, so a report holds its rows and one page, never all pages. The layout is a
// function of its input, so every pass breaks the pages where the first one did.
class PagedReport {
public:
    // The first pass; the value-cut handler is told here, once. The labels it cuts are kept with their
    // pages instead, to be told only for the pages that go out.
    PagedReport(std::shared_ptr<const Definition> def, LayoutInput input);

    const Document& Frame() const { return m_frame; } // title, paper, headings; no pages
    int PageCount() const { return m_pageCount; }
    // Pages from..to (1-based, inclusive; 0 for the last), in order; a page is valid during its call.
    void ForEachPage(int from, int to, const std::function<void(const Page& page, int number)>& draw) const;
    // The labels cut on pages from..to (as ForEachPage counts them), in row order.
    std::vector<CutLabel> CutLabels(int from, int to) const;

private:
    std::shared_ptr<const Definition> m_def;
    LayoutInput m_input; // without the handlers, for the later passes
    Document m_frame;
    int m_pageCount = 0;
    LineBook m_lines; // what the first pass measured: later passes only place and draw
    std::vector<CutLabel> m_cutLabels;
};

// The report's flow (for RTF) in one pass: the frame first, then each block as it is laid out.
void StreamFlow(const LayoutInput& input, const std::function<void(const Document& frame)>& begin,
                const std::function<void(FlowBlock&& block)>& block);

} // namespace platform::reportengine
