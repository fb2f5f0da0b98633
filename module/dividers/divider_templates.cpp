#include "dividers/divider_templates.h"

#include <cstring>
#include <windows.h>

char dividerTemplate[kDividerTextCapacity];
char dividerTemplate8194[kDividerTextCapacity];

void buildDividerTemplates() {
    char fontName[40];
    std::strncpy(fontName, kDividerFontName, sizeof fontName - 1);
    fontName[sizeof fontName - 1] = '\0';
    wsprintfA(dividerTemplate, kDividerTemplateFormat, fontName);
    wsprintfA(dividerTemplate8194, kDividerTemplate8194Format, fontName);
}

int formatDividerText(char *buffer, const char *dividerTemplateText, int16_t fontSize) {
    return wsprintfA(buffer, dividerTemplateText, static_cast<int>(fontSize));
}
