// The document file: the record store as JSON, one array item per record.
#pragma once

#include <string>

#include "input_error.h"
#include "record_store.h"

namespace standin {

// Fills the store from the document's JSON text; on refusal the store is left empty.
InputResult parseDocument(const std::string &text, const std::string &fileName, RecordStore &store);
InputResult loadDocumentFile(const std::string &path, RecordStore &store);
// Every record of the store in key order, in the form that parseDocument reads back.
std::string documentJson(const RecordStore &store);

} // namespace standin
