// Every record call the module makes on its way to the host, in order. The fault tests link the
// module with the linker's --wrap for the four record services, so each call passes through here
// before the host sees it; the trace tells what the module was doing at each failure point.
#pragma once

#include <cstdint>
#include <vector>

#include "core/record_store.h"

namespace faults {

enum class Service { load, next, create, erase };

struct TracedCall {
    Service service = Service::load;
    uint32_t tag = 0;
    standin::KeyWords keyBefore;
    standin::KeyWords keyAfter; // as the host left it: moved by a walk, chosen by a creation
    bool withBuffer = false;
    bool succeeded = false;
};

// The calls since the last clear.
std::vector<TracedCall> &trace();

const char *serviceName(Service service);

} // namespace faults
