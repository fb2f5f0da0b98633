// Whole runs of the stand-in host, in process, with host calls made to fail: the same run
// that orvane-sim makes for `DOCUMENT --do SCRIPT --fail SERVICE:N --report FILE`.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/host_state.h"
#include "core/record_store.h"
#include "core/strict_json.h"
#include "record_trace.h"

namespace faults {

using standin::Json;

// One host call, as a fail rule names it: the N-th call of an OX_ service in the run.
struct FailurePoint {
    std::string service;
    int64_t call = 0;
};

struct RunResult {
    Json report;                   // the report file the run wrote
    standin::RecordStore document; // the document after the run
    std::vector<TracedCall> calls; // every record call of the module, in order
    int32_t result() const;        // the one invocation's result
    const Json &messages() const;  // the one invocation's message boxes
    int64_t hostCalls(Service service) const;
    int64_t hostCalls(const std::string &service) const;
};

// Runs the document file with one invocation scripted as given, in a directory of its own, after
// putting the module's static state back to what a fresh load gives.
RunResult runDocument(const std::string &documentPath, const std::string &script,
                      const std::optional<FailurePoint> &failure, const std::string &directory);

standin::RecordStore loadDocument(const std::string &path);
void writeDocument(const std::string &path, const standin::RecordStore &document);

// A message box as the report lists it.
Json message(const std::string &caption, const std::string &text, int style, const Json &owner,
             const std::string &answer);

// Assignments whose vertical position may differ from the expected document (every other byte
// must agree): the ones a changed staff walk moves.
using Leeway = std::set<standin::KeyWords>;

// Empty when the documents agree; else a few lines naming the records that differ.
std::string documentDifference(const standin::RecordStore &expected,
                               const standin::RecordStore &actual, const Leeway &leeway = {});

// What records a run added to its input and which it deleted.
struct DocumentChange {
    std::vector<std::pair<uint32_t, std::pair<standin::KeyWords, standin::Bytes>>> added;
    std::vector<std::pair<uint32_t, standin::KeyWords>> removed;
};
DocumentChange changeBetween(const standin::RecordStore &before, const standin::RecordStore &after);
standin::RecordStore applyChange(standin::RecordStore document, const DocumentChange &change);

} // namespace faults
