// The release's version: the version resource, the settings dialog's caption and the menu text all
// take it from here, and the release scripts read DIVAZIVIR_VERSION for the package's name.
#pragma once

#define DIVAZIVIR_VERSION "1.03e"
// 1.03e as numbers: the letter e is the fifth revision of 1.03.
#define DIVAZIVIR_VERSION_NUMBERS 1, 3, 5, 0
