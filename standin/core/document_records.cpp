#include "document_records.h"

#include "host/record_keys.h"

namespace standin {

bool pluginMayChange(uint32_t tag) {
    return tag == kTextBlockTag || tag == kTextExpressionDefTag || tag == kExpressionAssignmentTag;
}

bool pluginRecordFits(uint32_t tag, const KeyWords &key, size_t size) {
    switch (tag) {
    case kTextBlockTag:
        return key.size() == 2 && key[1] == 0; // addressed by number alone
    case kTextExpressionDefTag:
        return size == kTextExpressionDefSize;
    case kExpressionAssignmentTag:
        return size == kExpressionAssignmentSize;
    default:
        return false;
    }
}

} // namespace standin
