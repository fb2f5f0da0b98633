// What the fuzz targets share: interesting 16-bit words and the stop on a broken rule. Each input
// starts from a freshly loaded module (resetModuleState).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <fuzzer/FuzzedDataProvider.h>

#include "core/run.h"
#include "native/linked_module.h"
#include "settings/module_state.h"

namespace fuzzing {

// A 16-bit word, most often one where signed and unsigned readings part or a bound lies.
inline uint16_t word(FuzzedDataProvider &input) {
    static const uint16_t kEdges[] = {0,      1,      2,      3,      0x7FFE, 0x7FFF,
                                      0x8000, 0x8001, 0xFFFE, 0xFFFF, 0x7D00, 0x7CFF};
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        return input.PickValueInArray(kEdges);
    case 1:
        return input.ConsumeIntegralInRange<uint16_t>(0, 12);
    case 2:
        return static_cast<uint16_t>(-input.ConsumeIntegralInRange<int>(0, 12));
    default:
        return input.ConsumeIntegral<uint16_t>();
    }
}

inline int16_t signedWord(FuzzedDataProvider &input) { return static_cast<int16_t>(word(input)); }

// A rule of the module's behaviour did not hold: stop as a crash, so the fuzzer keeps the input.
[[noreturn]] inline void broken(const char *rule) {
    std::fprintf(stderr, "broken rule: %s\n", rule);
    std::abort();
}

inline void require(bool holds, const char *rule) {
    if (!holds)
        broken(rule);
}

} // namespace fuzzing
