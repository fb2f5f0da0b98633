// The document file: the record store as JSON, one array item per record.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "input_error.h"
#include "record_store.h"

namespace standin {

// The layout the host computes at its first layout update of a run (afterLayoutUpdate): for each
// layout member the document names, the records that replace all of that member's records.
struct LayoutUpdate {
    std::vector<uint32_t> tags; // of the members named
    RecordStore records;
    void applyTo(RecordStore &store) const;
};
// Until the first layout update of a run; none when the document names no such layout.
using PendingLayout = std::optional<LayoutUpdate>;

// Fills the store and the pending layout from the document's JSON text; on refusal both are left
// empty.
InputResult parseDocument(const std::string &text, const std::string &fileName, RecordStore &store,
                          PendingLayout &pending);
InputResult loadDocumentFile(const std::string &path, RecordStore &store, PendingLayout &pending);
// Every record of the store in key order, and the layout still pending, in the form that
// parseDocument reads back.
std::string documentJson(const RecordStore &store, const PendingLayout &pending);

} // namespace standin
