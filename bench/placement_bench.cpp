// Prints host record calls and time per divider of the placement on generated scores.
//
//   placement_bench [RUNS]
//
// Every score has 40 staves in the document-wide list; every system uses it. System numbers are
// signed 16-bit, so a document holds at most 32767 systems: with 6 systems a page that is 5461
// pages, and 10,000 pages of 6 systems (60,000 systems) cannot be laid out at all. The benchmark
// therefore runs two series: 6 systems a page up to the largest document that fits (5461 pages),
// and 3 systems a page up to 10,000 pages (30,000 systems), each compared with its own 100-page
// run so that the per-divider figures measure the same page shape. Time is the best of RUNS runs
// (default 3), each on a fresh copy of the document.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/host_state.h"
#include "dividers/divider_templates.h"
#include "dividers/placement.h"
#include "document_builder.h"
#include "native/windows_api.h"
#include "settings/module_state.h"

namespace {

constexpr int16_t kStaves = 40;
constexpr int32_t kStaffDistance = 240;
constexpr int32_t kHighestSystemNumber = 32767;

struct Series {
    const char *title;
    int systemsPerPage;
    std::vector<int> pageCounts;
};

struct Measure {
    int pages = 0;
    int32_t result = 0;
    size_t dividers = 0;
    int64_t recordCalls = 0;
    double nanoseconds = 0;
};

standin::RecordStore makeScore(int pages, int systemsPerPage) {
    standin::resetHost();
    docbuild::putEvenStaves(kStaves, kStaffDistance);
    int32_t system = 1;
    for (int page = 1; page <= pages; ++page) {
        docbuild::putPage(static_cast<int16_t>(page), static_cast<int16_t>(system));
        for (int i = 0; i < systemsPerPage; ++i, ++system)
            docbuild::putSystem(static_cast<int16_t>(system), i == 0 ? -300 : -288, -240);
    }
    return docbuild::store();
}

Measure measure(int pages, int systemsPerPage, int runs) {
    const standin::RecordStore score = makeScore(pages, systemsPerPage);
    Measure best;
    best.pages = pages;
    for (int run = 0; run < runs; ++run) {
        standin::resetHost();
        standin::host().store = score;
        dividerSettings = kLoadTimeSettings;
        dividerSettings.firstPage = 1;
        dividerSettings.lastPage = static_cast<int16_t>(pages);
        buildDividerTemplates();

        const auto start = std::chrono::steady_clock::now();
        const int32_t result = placeDividers(standin::hostMainWindow(), dividerSettings);
        const auto end = std::chrono::steady_clock::now();

        Measure current;
        current.pages = pages;
        current.result = result;
        current.dividers = standin::host().store.count(kExpressionAssignmentTag);
        for (const char *service : {"OX_LoadEData", "OX_NextEData", "OX_CreateEData"})
            current.recordCalls += standin::host().callCounts[service];
        current.nanoseconds = std::chrono::duration<double, std::nano>(end - start).count();
        if (run == 0 || current.nanoseconds < best.nanoseconds)
            best = current;
    }
    return best;
}

void runSeries(const Series &series, int runs) {
    std::printf("\n%s\n", series.title);
    std::printf("%8s %9s %9s %7s %16s %14s %10s\n", "pages", "systems", "dividers", "result",
                "calls/divider", "ns/divider", "vs first");
    double firstTime = 0;
    for (int pages : series.pageCounts) {
        const Measure m = measure(pages, series.systemsPerPage, runs);
        const double perDivider = m.dividers == 0 ? 0 : m.nanoseconds / m.dividers;
        const double calls = m.dividers == 0 ? 0 : static_cast<double>(m.recordCalls) / m.dividers;
        if (firstTime == 0)
            firstTime = perDivider;
        std::printf("%8d %9d %9zu %7d %16.3f %14.0f %9.2fx\n", pages, pages * series.systemsPerPage,
                    m.dividers, m.result, calls, perDivider,
                    firstTime == 0 ? 0 : perDivider / firstTime);
    }
}

} // namespace

int main(int argc, char **argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int mostPagesOfSix = kHighestSystemNumber / 6;
    std::printf("Placement over all pages, %d staves a system; host record calls (load, next,\n"
                "create) and time per divider, best of %d runs.\n",
                kStaves, runs);
    std::printf("System numbers are signed 16-bit: at most %d systems, so at most %d pages of 6\n"
                "systems; 10,000 pages are measured with 3 systems a page (30,000 systems).\n",
                kHighestSystemNumber, mostPagesOfSix);
    runSeries({"6 systems a page", 6, {100, 1000, mostPagesOfSix}}, runs);
    runSeries({"3 systems a page", 3, {100, 1000, 10000}}, runs);
    return 0;
}
