// Prints host record calls and time of the divider removal next to the nested walks it replaces,
// on documents of N placed dividers (one text block, one definition, one assignment each).
//
//   removal_bench [NESTED_CAP]
//
// The nested walks are run only up to NESTED_CAP dividers (default 5000); beyond that their calls
// are computed from the walk's shape and their time estimated from the per-call time of the
// largest run, marked "est.". The removal's time is the best of a few runs, each on a fresh copy of
// the document, so that a busy machine does not blur the growth with N.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/host_state.h"
#include "dividers/divider_templates.h"
#include "dividers/removal.h"
#include "document_builder.h"
#include "host/host_services.h"
#include "host/record_keys.h"
#include "nested_walk_removal.h"

namespace {

constexpr int kDividersPerPage = 8;
constexpr int16_t kFontSize = 14;
constexpr int kRemovalRuns = 5;

struct Measure {
    int32_t removed = 0;
    int64_t calls = 0;
    double milliseconds = 0;
};

standin::RecordStore makeDocument(int dividers) {
    standin::resetHost();
    const std::string text = docbuild::dividerText(kFontSize);
    for (int n = 1; n <= dividers; ++n) {
        const auto number = static_cast<int16_t>(n);
        docbuild::putTextBlock(number, text);
        docbuild::putExpressionDef(number, 0, number);
        docbuild::putAssignment(static_cast<int16_t>(1 + (n - 1) / kDividersPerPage),
                                static_cast<int16_t>((n - 1) % kDividersPerPage), number);
    }
    return docbuild::store();
}

Measure measure(const standin::RecordStore &document,
                int32_t (*removal)(int16_t, int16_t, int16_t)) {
    standin::resetHost();
    standin::host().store = document;
    const auto start = std::chrono::steady_clock::now();
    Measure result;
    result.removed = removal(1, 32767, kFontSize);
    const auto end = std::chrono::steady_clock::now();
    result.milliseconds = std::chrono::duration<double, std::milli>(end - start).count();
    for (const auto &[service, count] : standin::host().callCounts)
        result.calls += count;
    return result;
}

// The host's part of a removal alone: the same record calls in the same order, no index kept.
// Shows how much of the removal's time is the stand-in host's record store.
int32_t bareHostCalls(int16_t, int16_t, int16_t) {
    RecordKey key = {0, 0};
    char text[kDividerTextCapacity];
    while (hostSucceeded(OX_NextEData(kTextBlockTag, &key, nullptr, 0))) {
        int32_t length = 0;
        OX_LoadEData(kTextBlockTag, &key, nullptr, &length);
        int32_t size = sizeof text;
        OX_LoadEData(kTextBlockTag, &key, text, &size);
    }
    char record[48];
    key = {0, 0};
    while (hostSucceeded(OX_NextEData(kTextExpressionDefTag, &key, record, 48))) {
    }
    std::vector<RecordKey> keys;
    key = {1, 0};
    int32_t size = 24;
    if (hostSucceeded(OX_LoadEData(kExpressionAssignmentTag, &key, record, &size)))
        keys.push_back(key);
    while (hostSucceeded(OX_NextEData(kExpressionAssignmentTag, &key, record, 24)))
        keys.push_back(key);
    for (auto doomed = keys.rbegin(); doomed != keys.rend(); ++doomed)
        OX_DeleteEData(kExpressionAssignmentTag, &*doomed);
    return static_cast<int32_t>(keys.size());
}

Measure bestOf(const standin::RecordStore &document,
               int32_t (*removal)(int16_t, int16_t, int16_t)) {
    Measure best = measure(document, removal);
    for (int run = 1; run < kRemovalRuns; ++run) {
        const Measure again = measure(document, removal);
        if (again.milliseconds < best.milliseconds)
            best = again;
    }
    return best;
}

// The nested walks on this document: the text-block walk (a step and two loads per block, one
// failing step), for each block a definition walk (one step per definition and a failing one),
// for each definition an assignment walk (a load at page 1, a step per later assignment and a
// failing one), and the deletions.
int64_t nestedCalls(int64_t n) { return (3 * n + 1) + n * (n + 1) + n * (1 + n) + n; }

} // namespace

int main(int argc, char **argv) {
    const int nestedCap = argc > 1 ? std::atoi(argv[1]) : 5000;
    buildDividerTemplates();

    std::printf("divider removal on N dividers, %d per page, font size %d; removal: best of %d "
                "runs, nested walks: one run\n\n",
                kDividersPerPage, kFontSize, kRemovalRuns);
    std::printf("%8s %9s %9s %10s %10s %10s %14s %10s %12s %10s\n", "N", "calls", "budget", "ms",
                "us/divider", "host ms", "nested calls", "nested ms", "us/divider", "calls x");

    double perDivider1000 = 0;
    double perDivider20000 = 0;
    double ownPerDivider1000 = 0;
    double ownPerDivider20000 = 0;
    double nestedMsPerCall = 0;
    bool withinBudget = true;
    double ratioAt5000 = 0;
    for (int dividers : {1000, 5000, 20000}) {
        const standin::RecordStore document = makeDocument(dividers);
        const Measure fast = bestOf(document, [](int16_t a, int16_t b, int16_t c) {
            return removeDividers(a, b, c).erased;
        });
        const Measure bare = bestOf(document, bareHostCalls);
        const int64_t budget = 4 * 3 * static_cast<int64_t>(dividers) + dividers;
        withinBudget = withinBudget && fast.calls <= budget && fast.removed == dividers;

        int64_t calls = nestedCalls(dividers);
        double nestedMs = 0;
        const char *mark = "est.";
        if (dividers <= nestedCap) {
            const Measure nested = measure(document, nestedwalk::removeDividers);
            if (nested.calls != calls || nested.removed != fast.removed)
                std::printf("nested walk differs from its expected shape at N = %d\n", dividers);
            calls = nested.calls;
            nestedMs = nested.milliseconds;
            nestedMsPerCall = nestedMs / static_cast<double>(calls);
            mark = "";
        } else {
            nestedMs = nestedMsPerCall * static_cast<double>(calls);
        }

        const double ratio = static_cast<double>(calls) / static_cast<double>(fast.calls);
        const double perDivider = fast.milliseconds * 1000.0 / dividers;
        // The removal's own work: its time less that of the same host calls made bare.
        const double ownPerDivider = (fast.milliseconds - bare.milliseconds) * 1000.0 / dividers;
        if (dividers == 1000) {
            perDivider1000 = perDivider;
            ownPerDivider1000 = ownPerDivider;
        }
        if (dividers == 5000)
            ratioAt5000 = ratio;
        if (dividers == 20000) {
            perDivider20000 = perDivider;
            ownPerDivider20000 = ownPerDivider;
        }
        std::printf("%8d %9lld %9lld %10.2f %10.3f %10.2f %14lld %10.0f%-4s %8.2f %10.0f\n",
                    dividers, static_cast<long long>(fast.calls), static_cast<long long>(budget),
                    fast.milliseconds, perDivider, bare.milliseconds, static_cast<long long>(calls),
                    nestedMs, mark, nestedMs * 1000.0 / dividers, ratio);
    }

    std::printf("\nhost calls within 4 x records + N at every size: %s\n",
                withinBudget ? "yes" : "NO");
    std::printf("nested calls / removal calls at N = 5000: %.0f (target at least 1000)\n",
                ratioAt5000);
    std::printf("time per divider at N = 20000 / at N = 1000: %.2f (target at most 2)\n",
                perDivider20000 / perDivider1000);
    std::printf("the same without the host's share (removal ms - host ms): %.3f vs %.3f us per "
                "divider\n",
                ownPerDivider20000, ownPerDivider1000);
    std::printf("host ms: the same record calls made bare, without the removal's index\n");
    return 0;
}
