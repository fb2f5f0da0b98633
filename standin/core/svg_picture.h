// A picture of the document's pages: the visible staves of every system and every divider.
#pragma once

#include <string>

#include "record_store.h"

namespace standin {
std::string renderPagesSvg(const RecordStore &store);
}
