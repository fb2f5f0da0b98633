#include "record_trace.h"

#include "host/host_services.h"
#include "host/record_keys.h"

namespace faults {

std::vector<TracedCall> &trace() {
    static std::vector<TracedCall> calls;
    return calls;
}

const char *serviceName(Service service) {
    switch (service) {
    case Service::load:
        return "OX_LoadEData";
    case Service::next:
        return "OX_NextEData";
    case Service::create:
        return "OX_CreateEData";
    case Service::erase:
        return "OX_DeleteEData";
    }
    return "?";
}

} // namespace faults

namespace {

standin::KeyWords keyWords(uint32_t tag, const void *key) {
    standin::KeyWords words;
    if (key == nullptr)
        return words;
    const auto *bytes = static_cast<const uint8_t *>(key);
    for (int word = 0; word < standin::keyWidth(tag); ++word)
        words.push_back(static_cast<uint16_t>(bytes[2 * word] | (bytes[2 * word + 1] << 8)));
    return words;
}

// Runs the host's service and records the call around it.
template <typename Call>
int32_t traced(faults::Service service, uint32_t tag, void *key, bool withBuffer, Call call) {
    faults::TracedCall record;
    record.service = service;
    record.tag = tag;
    record.keyBefore = keyWords(tag, key);
    record.withBuffer = withBuffer;
    const int32_t result = call();
    record.keyAfter = keyWords(tag, key);
    record.succeeded = hostSucceeded(result);
    faults::trace().push_back(record);
    return result;
}

} // namespace

extern "C" {
int32_t WINAPI __real_OX_LoadEData(uint32_t tag, void *key, void *buffer, int32_t *size);
int32_t WINAPI __real_OX_NextEData(uint32_t tag, void *key, void *buffer, int32_t size);
int32_t WINAPI __real_OX_CreateEData(uint32_t tag, void *key, const void *buffer, int32_t size);
int32_t WINAPI __real_OX_DeleteEData(uint32_t tag, void *key);

int32_t WINAPI __wrap_OX_LoadEData(uint32_t tag, void *key, void *buffer, int32_t *size) {
    return traced(faults::Service::load, tag, key, buffer != nullptr,
                  [&] { return __real_OX_LoadEData(tag, key, buffer, size); });
}

int32_t WINAPI __wrap_OX_NextEData(uint32_t tag, void *key, void *buffer, int32_t size) {
    return traced(faults::Service::next, tag, key, buffer != nullptr,
                  [&] { return __real_OX_NextEData(tag, key, buffer, size); });
}

int32_t WINAPI __wrap_OX_CreateEData(uint32_t tag, void *key, const void *buffer, int32_t size) {
    return traced(faults::Service::create, tag, key, buffer != nullptr,
                  [&] { return __real_OX_CreateEData(tag, key, buffer, size); });
}

int32_t WINAPI __wrap_OX_DeleteEData(uint32_t tag, void *key) {
    return traced(faults::Service::erase, tag, key, false,
                  [&] { return __real_OX_DeleteEData(tag, key); });
}
}
