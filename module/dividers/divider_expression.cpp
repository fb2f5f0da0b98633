#include "dividers/divider_expression.h"

#include <cstring>

#include "dividers/divider_templates.h"
#include "dividers/expression_records.h"
#include "host/host_services.h"
#include "host/record_keys.h"

int16_t createDividerExpression(const DividerSettings &settings) {
    char text[kDividerTextCapacity];
    formatDividerText(text, dividerTemplate, settings.fontSize);
    // The NUL is stored with the text.
    const int32_t length = static_cast<int32_t>(std::strlen(text)) + 1;

    RecordKey textKey = {kHostChosenKeyWord, 0};
    if (!hostSucceeded(OX_CreateEData(kTextBlockTag, &textKey, text, length)))
        return 0;

    TextExpressionDef definition;
    std::memset(&definition, 0, sizeof definition);
    definition.textBlockNumber = textKey.number;
    definition.value8 = kDividerDefinitionValue8;
    definition.flags14 = kDividerDefinitionFlags14;
    RecordKey definitionKey = {kHostChosenKeyWord, kHostChosenKeyWord};
    if (!hostSucceeded(OX_CreateEData(kTextExpressionDefTag, &definitionKey, &definition,
                                      kTextExpressionDefSize)))
        return 0;
    return definitionKey.number;
}
