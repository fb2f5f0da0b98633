// The state of one run of the stand-in host, shared by the native and the Windows build.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document_file.h"
#include "record_store.h"

namespace standin {

// One registry value of the plug-in's key.
struct RegistryValue {
    uint32_t type = 3;
    Bytes data;
    bool operator==(const RegistryValue &other) const {
        return type == other.type && data == other.data;
    }
};
// Registry names compare without regard to case, as the platform's registry does.
struct RegistryNameLess {
    bool operator()(const std::string &left, const std::string &right) const;
};
using RegistryValues = std::map<std::string, RegistryValue, RegistryNameLess>;
// The plug-in's key under HKEY_CURRENT_USER: absent means no key, an empty map a key without
// values.
using RegistryKeyState = std::optional<RegistryValues>;

// A message box as the host saw it.
struct MessageRecord {
    std::string caption;
    std::string text;
    uint32_t style = 0;
    std::string owner;  // "host" or the id of the dialog that owns it
    std::string answer; // "ok", "yes", "no" or "cancel"
};

// What the report says of one invocation.
struct InvocationRecord {
    int32_t result = 0;
    std::vector<std::string>
        dialogsJson; // one JSON object per dialog shown, written by the dialog model
    std::vector<MessageRecord> messages;
    // The two arguments of each layout update; the report gives only their number.
    std::vector<std::pair<int32_t, int32_t>> layoutUpdates;
    std::vector<std::string> skippedSteps;
};

struct FailRule {
    std::string service; // e.g. "OX_CreateEData"
    int64_t call = 0;    // 1-based, counted over the whole run
};

// --fail malloc:N: the module's N-th heap allocation of the run fails, and so does every one after
// it until the invocation ends.
struct AllocationRule {
    int64_t firstFailing = 0; // 0: none fails
    int64_t count = 0;        // the module's allocations so far, failed ones included
    bool failing = false;
};

struct Host {
    RecordStore store;
    PendingLayout pendingLayout; // put in place by the first layout update of the run
    RegistryKeyState registry;
    bool controlHeld = false;
    bool shiftHeld = false;
    std::vector<FailRule> failRules;
    AllocationRule allocations;
    std::map<std::string, int64_t> callCounts; // per OX_ service
    uint64_t recordResults = 0;                // results the record services gave, which vary
    std::deque<std::string> pendingAnswers;    // answers queued for the next message boxes
    std::deque<std::string> pendingSteps;      // the scripted user's steps of this invocation
    std::vector<InvocationRecord> invocations; // the current one is the last

    InvocationRecord &currentInvocation();
    // Counts one call of a service and tells whether a fail rule makes it fail.
    bool countCallAndCheckFailure(const char *service);
    // Counts one heap allocation of the module and tells whether it fails.
    bool countAllocationAndCheckFailure();
};

// Fills the bytes of a heap block the module has not written yet: the platform's heap promises
// nothing of them but where the caller asks for zeros, and a module that reads them before it
// writes them sees this pattern instead of the zeros fresh memory often holds.
void fillFreshHeapBytes(void *bytes, size_t count);

Host &host();
// A fresh host: empty store and registry, no keys, no rules, no counts.
void resetHost();

// Opens the record of a new invocation whose scripted user takes these steps.
void beginInvocation(const std::vector<std::string> &steps);
// Steps and queued answers nobody used are listed as skipped.
void finishInvocation(int32_t result);

// The button the person presses in the next message box of this style: a queued answer; else,
// when the next pending step is an answer step, that step's answer (the step is used up); else
// the box's default button. An answer the box has no button for (no on an OK box) is listed as a
// skipped step, and the default button is pressed instead.
int answerMessageBox(uint32_t style);
// The report word of a pressed button.
std::string answerFromButton(int button);

} // namespace standin
