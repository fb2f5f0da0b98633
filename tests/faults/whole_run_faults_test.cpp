// Whole runs in which each host call fails in turn: every call that the unfailed run makes of
// OX_LoadEData, OX_NextEData, OX_CreateEData and OX_DeleteEData is made to fail once, and the
// run's result, its message boxes and the document it leaves are checked against what the module
// must do with that failure. What the module was doing at each call comes from the unfailed run's
// trace. Every call of the dialog and layout services fails once too: a dialog that cannot open
// changes nothing, a failed layout update is not examined, and any other failure still ends the run
// with nothing but dividers placed or removed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <limits>

#include "core/record_store.h"
#include "document_builder.h"
#include "fault_run.h"
#include "host/record_keys.h"
#include "script_steps.h"

namespace {

using faults::FailurePoint;
using faults::Json;
using faults::RunResult;
using faults::Service;
using faults::TracedCall;
using standin::Bytes;
using standin::KeyWords;
using standin::RecordStore;
using namespace scriptstep;

constexpr size_t kNone = std::numeric_limits<size_t>::max();

int64_t totalFailurePoints = 0;

// The host window owns the run's own boxes, the settings dialog those of its Remove button.
Json hostOwner() { return "host"; }
Json dialogOwner() { return IDD_DIVIDER_SETTINGS; }

Json layoutError() {
    return faults::message("Error", "Staff system is not updated correctly.", 0x10, hostOwner(),
                           "ok");
}
Json placementError() {
    return faults::message("Error", "Error creating divider symbols.", 0x10, hostOwner(), "ok");
}
Json confirmRemoval() {
    return faults::message("Delete dividers?",
                           "This will erase all divider symbols with the specified font size "
                           "within the selected page range. Are you sure?",
                           0x24, dialogOwner(), "yes");
}
Json dividersErased(int64_t count) {
    return faults::message("Divider symbols deleted",
                           std::to_string(count) + " divider symbols erased.", 0x40, dialogOwner(),
                           "ok");
}
Json dividersNotErased() {
    return faults::message("Divider symbols not deleted",
                           "The divider symbols could not be erased.", 0x10, dialogOwner(), "ok");
}
Json pageRangeError() {
    return faults::message("Page Range Error", "Page range is non-valid", 0x10, dialogOwner(),
                           "ok");
}
Json noDividersFound() {
    return faults::message("No dividers found",
                           "No divider symbols were found within the selected page range.", 0x40,
                           dialogOwner(), "ok");
}

Json array(std::initializer_list<Json> items) {
    Json result = Json::array();
    for (const Json &item : items)
        result.push_back(item);
    return result;
}

Json concatenated(Json first, const Json &second) {
    for (const Json &item : second)
        first.push_back(item);
    return first;
}

// What a run with one failing call must give.
struct Expected {
    std::string why;
    RecordStore document;
    faults::Leeway leeway;
    int32_t result = 1;
    Json messages = Json::array();
    Json skippedSteps = Json::array();
};

// A removal's outcome worked out from the document, for a removal whose walks are cut short.
struct RemovalCut {
    uint16_t lastPage = 0;
    size_t blocksSeen = kNone;        // the text-block walk ends before this block
    size_t skippedBlock = kNone;      // this block's text could not be loaded
    size_t definitionsSeen = kNone;   // the definition walk ends after this many
    bool firstAssignmentLost = false; // the load of the assignment (1, 0) failed
    size_t assignmentsWalked = kNone; // the assignment walk ends after this many steps
};

// Each key is deleted once, however often the walks reach it.
struct RemovalOutcome {
    std::set<KeyWords> deleted;
    bool operator==(const RemovalOutcome &other) const { return deleted == other.deleted; }
};

enum class Ending { place, remove };

struct Script {
    std::string steps;
    Ending ending = Ending::place;
    int16_t removalSize = 14;  // the font size a removal of the script looks for
    uint16_t selectedLast = 0; // the last page typed under "Selected pages"; 0 for "All pages"
};

class WholeRun {
  public:
    // The script's invocation ends either by placing (OK) or by removing dividers of removalSize
    // with the settings dialog's Remove button, confirmed, then Esc.
    WholeRun(std::string name, const RecordStore &document, Script script)
        : name_(std::move(name)), script_(std::move(script)), input_(document) {
        directory_ = std::string(FAULT_OUTPUT_DIR) + "/" + name_;
        std::filesystem::remove_all(directory_);
        std::filesystem::create_directories(directory_);
        inputPath_ = directory_ + "/document.json";
        faults::writeDocument(inputPath_, input_);
        baseline_ = run(inputPath_, std::nullopt, "baseline");
        for (size_t i = 0; i < baseline_.calls.size(); ++i) {
            const TracedCall &call = baseline_.calls[i];
            if (call.service == Service::create && call.succeeded)
                creations_.push_back(i);
            if (isCountPagesCall(call) && call.succeeded)
                ++pageCount_;
        }
        // The failure points come from the report's counts; the trace must see the same calls.
        for (Service service : {Service::load, Service::next, Service::create, Service::erase})
            EXPECT_EQ(
                std::count_if(baseline_.calls.begin(), baseline_.calls.end(),
                              [&](const TracedCall &call) { return call.service == service; }),
                baseline_.hostCalls(service))
                << faults::serviceName(service);
    }

    const RunResult &baseline() const { return baseline_; }

    // Fails each call the unfailed run makes, one per run; returns how many points were run.
    int64_t failEveryCall() {
        int64_t points = 0;
        for (Service service : {Service::load, Service::next, Service::create, Service::erase}) {
            const int64_t calls = baseline_.hostCalls(service);
            for (int64_t n = 1; n <= calls; ++n) {
                checkFailure(service, n);
                ++points;
            }
        }
        for (const char *service : {"OX_UpdateLayout", "OX_Dialog", "OX_EndDialog",
                                    "OX_GetDlgItemVal", "OX_SetDlgItemVal", "OX_GetDlgItemUser",
                                    "OX_SetDlgItemUser", "OX_EnableDlgItem", "OX_SetDlgFocus"}) {
            const int64_t calls = baseline_.hostCalls(service);
            for (int64_t n = 1; n <= calls; ++n) {
                checkDialogServiceFailure({service, n});
                ++points;
            }
        }
        totalFailurePoints += points;
        std::cout << "[ faults   ] " << name_ << ": " << points << " failure points\n";
        for (const auto &[why, count] : categories_)
            std::cout << "[ faults   ]   " << count << " x " << why << "\n";
        return points;
    }

  private:
    static bool isCountPagesCall(const TracedCall &call) {
        return call.service == Service::load && call.tag == kPageRecordTag && !call.withBuffer;
    }

    RunResult run(const std::string &documentPath, const std::optional<FailurePoint> &failure,
                  const std::string &label) const {
        return faults::runDocument(documentPath, script_.steps, failure, directory_ + "/" + label);
    }

    void checkFailure(Service service, int64_t call) {
        const FailurePoint failure = {faults::serviceName(service), call};
        const std::string label = failure.service + ":" + std::to_string(call);
        const size_t index = traceIndex(service, call);
        const Expected expected = expect(index);
        ++categories_[expected.why];
        SCOPED_TRACE(name_ + " --fail " + label + " (" + expected.why + ")");
        const RunResult actual = run(inputPath_, failure, "failing");
        ASSERT_GE(actual.hostCalls(failure.service), failure.call) << "the failure was not reached";
        EXPECT_TRUE(actual.report.at("terminated").get<bool>());
        EXPECT_EQ(actual.result(), expected.result);
        EXPECT_EQ(actual.messages(), expected.messages);
        EXPECT_EQ(actual.report.at("invocations").at(0).at("skippedSteps"), expected.skippedSteps);
        const std::string difference =
            faults::documentDifference(expected.document, actual.document, expected.leeway);
        EXPECT_TRUE(difference.empty()) << difference;
    }

    // A dialog that cannot open ends the run as a Cancel would; a layout update's result is not
    // examined. Any other failed dialog service may change what the person's steps do, but the
    // run still ends, and only dividers are placed or removed.
    void checkDialogServiceFailure(const FailurePoint &failure) {
        SCOPED_TRACE(name_ + " --fail " + failure.service + ":" + std::to_string(failure.call));
        const RunResult actual = run(inputPath_, failure, "failing");
        ASSERT_GE(actual.hostCalls(failure.service), failure.call) << "the failure was not reached";
        EXPECT_TRUE(actual.report.at("terminated").get<bool>());
        if (failure.service == "OX_Dialog") {
            ++categories_["a dialog does not open"];
            EXPECT_EQ(actual.result(), 1);
            EXPECT_EQ(actual.messages(), Json::array());
            EXPECT_EQ(actual.report.at("invocations").at(0).at("updateLayoutCalls"), 0);
            const std::string difference = faults::documentDifference(input_, actual.document);
            EXPECT_TRUE(difference.empty()) << difference;
            return;
        }
        if (failure.service == "OX_UpdateLayout") {
            ++categories_["the layout update fails"];
            EXPECT_EQ(actual.result(), baseline_.result());
            EXPECT_EQ(actual.messages(), baseline_.messages());
            EXPECT_TRUE(faults::documentDifference(baseline_.document, actual.document).empty());
            return;
        }
        ++categories_["a control service fails"];
        // An edit the host cannot read counts as 0, which is in range: no Range Error box.
        if (failure.service == "OX_GetDlgItemUser") {
            EXPECT_EQ(actual.messages(), baseline_.messages());
        }
        const faults::DocumentChange change = faults::changeBetween(input_, actual.document);
        for (const auto &[tag, record] : change.added)
            EXPECT_TRUE(tag == kTextBlockTag || tag == kTextExpressionDefTag ||
                        tag == kExpressionAssignmentTag)
                << "a record the module does not make";
        for (const auto &[tag, key] : change.removed)
            EXPECT_EQ(tag, kExpressionAssignmentTag) << "a record the module does not delete";
    }

    size_t traceIndex(Service service, int64_t call) const {
        int64_t seen = 0;
        for (size_t i = 0; i < baseline_.calls.size(); ++i)
            if (baseline_.calls[i].service == service && ++seen == call)
                return i;
        throw std::logic_error("the trace lacks a call the report counts");
    }

    // The ordinal (1-based) of a call among the earlier calls of its service and tag.
    size_t ordinalInWalk(size_t index) const {
        const TracedCall &call = baseline_.calls[index];
        size_t ordinal = 0;
        for (size_t i = 0; i <= index; ++i)
            if (baseline_.calls[i].service == call.service && baseline_.calls[i].tag == call.tag)
                ++ordinal;
        return ordinal;
    }

    Expected sameAsBaseline(const std::string &why) const {
        Expected expected;
        expected.why = why;
        expected.document = baseline_.document;
        expected.result = baseline_.result();
        expected.messages = baseline_.messages();
        expected.skippedSteps = baseline_.report.at("invocations").at(0).at("skippedSteps");
        return expected;
    }

    // The input with the first `count` records the unfailed run created, in creation order.
    RecordStore createdPrefix(size_t count) const {
        RecordStore document = input_;
        for (size_t i = 0; i < count && i < creations_.size(); ++i) {
            const TracedCall &call = baseline_.calls[creations_[i]];
            const Bytes *bytes = baseline_.document.find(call.tag, call.keyAfter);
            if (bytes != nullptr)
                document.put(call.tag, call.keyAfter, *bytes);
        }
        return document;
    }

    size_t creationsBefore(size_t index) const {
        size_t count = 0;
        while (count < creations_.size() && creations_[count] < index)
            ++count;
        return count;
    }

    // The page the placement was working on at a call: the last page record it loaded.
    uint16_t placementPageAt(size_t index) const {
        for (size_t i = index; i-- > 0;) {
            const TracedCall &call = baseline_.calls[i];
            if (call.service == Service::load && call.tag == kPageRecordTag && call.withBuffer)
                return call.keyBefore[0];
        }
        throw std::logic_error("no page loaded before a placement call");
    }

    // The unfailed run on a changed document: what it adds and deletes, applied to the input.
    Expected likeDocument(const std::string &why,
                          const std::function<void(RecordStore &)> &change) {
        auto cached = equivalents_.find(why);
        if (cached == equivalents_.end()) {
            RecordStore document = input_;
            change(document);
            const std::string path =
                directory_ + "/equivalent-" + std::to_string(equivalents_.size()) + ".json";
            faults::writeDocument(path, document);
            const RunResult result = run(path, std::nullopt, "equivalent");
            Expected expected;
            expected.why = why;
            expected.document =
                faults::applyChange(input_, faults::changeBetween(document, result.document));
            expected.result = result.result();
            expected.messages = result.messages();
            expected.skippedSteps = result.report.at("invocations").at(0).at("skippedSteps");
            cached = equivalents_.emplace(why, expected).first;
        }
        return cached->second;
    }

    Expected expect(size_t index) {
        const TracedCall &call = baseline_.calls[index];
        switch (call.service) {
        case Service::load:
            return expectFailedLoad(index);
        case Service::next:
            return expectFailedNext(index);
        case Service::create: {
            // Whatever was created before stays; the run reports the failed placement.
            Expected expected;
            expected.why = "a creation fails";
            expected.document = createdPrefix(creationsBefore(index));
            expected.result = 0;
            expected.messages = concatenated(baseline_.messages(), array({placementError()}));
            return expected;
        }
        case Service::erase: {
            RemovalCut cut = fullRemoval();
            return expectRemoval("a deletion fails", cut, call.keyBefore);
        }
        }
        throw std::logic_error("unknown service");
    }

    Expected expectFailedLoad(size_t index) {
        const TracedCall &call = baseline_.calls[index];
        switch (call.tag) {
        case kPartMarkRecordTag:
            return likeDocument("the part mark reads as absent", [](RecordStore &document) {
                document.remove(kPartMarkRecordTag, {0xFFFE, 0});
            });
        case kDocumentOptionsRecordTag:
            return likeDocument("the unit reads as ORVU", [](RecordStore &document) {
                document.remove(kDocumentOptionsRecordTag, {0, 0});
            });
        case kPageRecordTag:
            if (!call.withBuffer)
                return expectFewerPages(call.keyBefore[0]);
            {
                // Reads as firstSystem 0: the layout error, then the placement's failure.
                Expected expected;
                expected.why = "a page of the range reads as out of date";
                expected.document = createdPrefix(creationsBefore(index));
                expected.result = 0;
                expected.messages =
                    concatenated(baseline_.messages(), array({layoutError(), placementError()}));
                return expected;
            }
        case kSystemRecordTag: {
            // A missing system ends the walk as a success.
            Expected expected = sameAsBaseline("a system does not load");
            expected.document = createdPrefix(creationsBefore(index));
            return expected;
        }
        case kStaffListEntryTag:
        case kStaffRecordTag:
        case kStaffScaleRecordTag: {
            // The staff walk ends, passes the staff over or leaves it unscaled: the divider of
            // this pair and those after it on the page may sit elsewhere, nothing else changes.
            Expected expected = sameAsBaseline("a staff walk reads less");
            const uint16_t page = placementPageAt(index);
            for (size_t creation : creations_) {
                const TracedCall &created = baseline_.calls[creation];
                if (creation > index && created.tag == kExpressionAssignmentTag &&
                    created.keyAfter[0] == page)
                    expected.leeway.insert(created.keyAfter);
            }
            return expected;
        }
        case kTextBlockTag: {
            RemovalCut cut = fullRemoval();
            const size_t block = blockIndex(call.keyBefore);
            if (call.withBuffer)
                cut.skippedBlock = block;
            else
                cut.blocksSeen = block;
            return expectRemoval(call.withBuffer ? "a block's text does not load"
                                                 : "a block's length does not load",
                                 cut);
        }
        case kExpressionAssignmentTag: {
            RemovalCut cut = fullRemoval();
            cut.firstAssignmentLost = true;
            return expectRemoval("the first assignment does not load", cut);
        }
        default:
            throw std::logic_error("a load of a record the module does not read");
        }
    }

    Expected expectFailedNext(size_t index) {
        const TracedCall &call = baseline_.calls[index];
        const size_t walked = ordinalInWalk(index) - 1;
        RemovalCut cut = fullRemoval();
        switch (call.tag) {
        case kPageRecordTag: {
            // No later page seems to have systems: the page's walk runs on through the systems of
            // the pages after it, until the document's last system ends it.
            const uint16_t page = placementPageAt(index);
            return likeDocument("the pages after page " + std::to_string(page) +
                                    " seem to have no systems",
                                [page](RecordStore &document) {
                                    for (auto &[key, bytes] : document.records(kPageRecordTag)) {
                                        if (key[0] <= page)
                                            continue;
                                        standin::writeInt(bytes, 8, 2, -1);
                                        document.put(kPageRecordTag, key, bytes);
                                    }
                                });
        }
        case kTextBlockTag:
            cut.blocksSeen = walked;
            return expectRemoval("the text block walk ends", cut);
        case kTextExpressionDefTag:
            cut.definitionsSeen = walked;
            return expectRemoval("the definition walk ends", cut);
        case kExpressionAssignmentTag:
            cut.assignmentsWalked = walked;
            return expectRemoval("the assignment walk ends", cut);
        default:
            throw std::logic_error("a walk over records the module does not walk");
        }
    }

    // countPages stops early: the dialog's range under "All pages" ends before page `page`.
    Expected expectFewerPages(uint16_t page) {
        if (page > pageCount_)
            return sameAsBaseline("the page after the last one does not load either");
        if (script_.selectedLast != 0) {
            if (page > script_.selectedLast)
                return sameAsBaseline("the typed range still fits the fewer pages");
            // The typed range ends beyond the page count: OK is refused, and so is the default
            // button when the steps run out; then Cancel.
            Expected expected;
            expected.why = "the typed range ends beyond the fewer pages";
            expected.document = input_;
            expected.messages = array({pageRangeError(), pageRangeError()});
            return expected;
        }
        if (script_.ending == Ending::remove) {
            RemovalCut cut = fullRemoval();
            cut.lastPage = static_cast<uint16_t>(page - 1);
            return expectRemoval("the document seems to end before page " + std::to_string(page),
                                 cut);
        }
        // The placement leaves the pages from `page` on.
        size_t creations = creations_.size();
        for (size_t i = 0; i < baseline_.calls.size(); ++i) {
            const TracedCall &call = baseline_.calls[i];
            if (call.service == Service::load && call.tag == kPageRecordTag && call.withBuffer &&
                static_cast<int16_t>(call.keyBefore[0]) >= static_cast<int16_t>(page)) {
                creations = creationsBefore(i);
                break;
            }
        }
        Expected expected =
            sameAsBaseline("the document seems to end before page " + std::to_string(page));
        expected.document = createdPrefix(creations);
        return expected;
    }

    RemovalCut fullRemoval() const {
        RemovalCut cut;
        cut.lastPage = pageCount_;
        return cut;
    }

    size_t blockIndex(const KeyWords &key) const {
        const auto blocks = input_.records(kTextBlockTag);
        for (size_t i = 0; i < blocks.size(); ++i)
            if (blocks[i].first == key)
                return i;
        throw std::logic_error("a text block the document does not hold");
    }

    static std::string textUpToNul(const Bytes &bytes) {
        std::string text(bytes.begin(), bytes.end());
        return text.substr(0, text.find('\0'));
    }

    // The removal over pages 1..lastPage as its three walks see the input document: divider text
    // blocks, the definitions that use them, the assignments that place those definitions.
    RemovalOutcome removalOutcome(const RemovalCut &cut) const {
        const std::string size = std::to_string(script_.removalSize);
        const std::string plain = "^font(EngraverFontSet)^size(" + size + ")^efx(plain)\xBB";
        const std::string with8194 =
            "^font(EngraverFontSet,8194)^size(" + size + ")^efx(plain)\xBB";
        std::vector<uint16_t> blocks;
        const auto textBlocks = input_.records(kTextBlockTag);
        for (size_t i = 0; i < textBlocks.size() && i < cut.blocksSeen; ++i) {
            const std::string text = textUpToNul(textBlocks[i].second);
            if (i != cut.skippedBlock && (text == plain || text == with8194))
                blocks.push_back(textBlocks[i].first[0]);
        }
        RemovalOutcome outcome;
        if (blocks.empty())
            return outcome;
        std::vector<std::pair<uint16_t, uint16_t>> definitions; // number, text block
        for (const auto &[key, bytes] : input_.records(kTextExpressionDefTag)) {
            if (definitions.size() >= cut.definitionsSeen)
                break;
            definitions.push_back(
                {key[0], static_cast<uint16_t>(standin::readInt(bytes, 0, 2, false))});
        }
        // The walk loads (1, 0), then steps from there.
        std::vector<std::pair<KeyWords, Bytes>> visited;
        size_t steps = 0;
        for (const auto &record : input_.records(kExpressionAssignmentTag)) {
            const KeyWords &key = record.first;
            if (key < KeyWords{1, 0})
                continue;
            if (key == KeyWords{1, 0}) {
                if (!cut.firstAssignmentLost)
                    visited.push_back(record);
                continue;
            }
            if (steps++ >= cut.assignmentsWalked)
                break;
            visited.push_back(record);
        }
        for (uint16_t block : blocks)
            for (const auto &[number, textBlock] : definitions)
                if (textBlock == block)
                    for (const auto &[key, bytes] : visited)
                        if (static_cast<uint16_t>(standin::readInt(bytes, 0, 2, false)) == number &&
                            key[0] >= 1 && key[0] <= cut.lastPage)
                            outcome.deleted.insert(key);
        return outcome;
    }

    Expected expectRemoval(const std::string &why, const RemovalCut &cut,
                           const std::optional<KeyWords> &keptByFailedDeletion = std::nullopt) {
        const RemovalOutcome outcome = removalOutcome(cut);
        const RemovalOutcome unfailed = removalOutcome(fullRemoval());
        if (outcome == unfailed && !keptByFailedDeletion)
            return sameAsBaseline(why + ", which changes nothing");
        EXPECT_EQ(script_.ending, Ending::remove)
            << "the oracle covers this removal only in a removal run";
        Expected expected;
        expected.why = why;
        expected.document = input_;
        int64_t erased = 0;
        for (const KeyWords &key : outcome.deleted)
            if (key != keptByFailedDeletion) {
                expected.document.remove(kExpressionAssignmentTag, key);
                ++erased;
            }
        if (erased > 0) {
            // The dialog closes and the Esc meant for it is left over.
            expected.messages = array({confirmRemoval(), dividersErased(erased)});
            expected.skippedSteps = array({"key esc"});
        } else if (outcome.deleted.empty()) {
            expected.messages = array({confirmRemoval(), noDividersFound()});
        } else {
            expected.messages = array({confirmRemoval(), dividersNotErased()});
        }
        return expected;
    }

    std::string name_;
    Script script_;
    RecordStore input_;
    std::string directory_;
    std::string inputPath_;
    RunResult baseline_;
    std::vector<size_t> creations_; // trace indices of the unfailed run's creations
    uint16_t pageCount_ = 0;
    std::map<std::string, Expected> equivalents_;
    std::map<std::string, int64_t> categories_;
};

RecordStore sampleScore() { return faults::loadDocument(SAMPLE_SCORE_PATH); }

// Pages 1 to 6 in centimetres: systems 1-3 on page 1, a page without systems, systems 4-6 on page
// 3 (4 scaled to 75 % with its staves scaled, 5 with lists of its own), then pages without systems.
// The top staff of the document's list is hidden.
RecordStore smallScore(int16_t partMark) {
    standin::resetHost();
    using docbuild::putPage;
    putPage(1, 1);
    putPage(2, docbuild::kNoSystems);
    putPage(3, 4);
    putPage(4, docbuild::kNoSystems);
    putPage(5, docbuild::kNoSystems);
    putPage(6, docbuild::kNoSystems);
    docbuild::putSystem(1, -200, -150);
    docbuild::putSystem(2, -180, -150);
    docbuild::putSystem(3, -160, -150);
    docbuild::putSystem(4, -240, -120, 75, docbuild::kScaledSystem | docbuild::kScaledStaves);
    docbuild::putSystem(5, -100, -140, 100, docbuild::kOwnStaffList);
    docbuild::putSystem(6, -90, -130);
    docbuild::putStaff(1, {5, 0, docbuild::kHiddenStaff});
    docbuild::putStaff(2, {5, 0, 0});
    docbuild::putStaff(3, {1, 1, 0});
    docbuild::putStaffList(0, {{1, 0}, {2, -100}, {3, -300}});
    docbuild::putStaffList(5, {{2, 0}, {3, -200}});
    docbuild::putStaffList(6, {{3, 0}});
    docbuild::putStaffScale(4, 3, 60);
    docbuild::putDocumentOptions(3);
    docbuild::putPartMark(partMark);
    return docbuild::store();
}

// The sample score with the eight dividers of size 14 that placement gives it, and around them:
// a divider spelled with ",8194" placed on page 1 under the key (1, 0), a second definition of
// the first divider's block placed on page 8, a divider of size 18, a text that is no divider and
// a block without bytes.
RecordStore sampleScoreWithDividers() {
    WholeRun placement("setup_place", sampleScore(),
                       {script({click(IDC_WARNING_YES), click(IDC_SETTINGS_OK)})});
    RecordStore document = placement.baseline().document;
    const auto text = [](const std::string &bytes) { return Bytes(bytes.begin(), bytes.end()); };
    const std::string with8194 = "^font(EngraverFontSet,8194)^size(14)^efx(plain)\xBB";
    document.put(kTextBlockTag, {20, 0}, text(with8194 + std::string(1, '\0')));
    document.put(kTextExpressionDefTag, {20, 0}, docbuild::expressionDefRecord(20));
    document.put(kExpressionAssignmentTag, {1, 0}, docbuild::assignmentRecord(1, 20));
    document.put(kTextExpressionDefTag, {21, 0}, docbuild::expressionDefRecord(1));
    document.put(kExpressionAssignmentTag, {8, 7}, docbuild::assignmentRecord(8, 21));
    document.put(kTextBlockTag, {22, 0}, text(docbuild::dividerText(18)));
    document.put(kTextExpressionDefTag, {22, 0}, docbuild::expressionDefRecord(22));
    document.put(kExpressionAssignmentTag, {6, 0}, docbuild::assignmentRecord(6, 22));
    document.put(kTextBlockTag, {23, 0}, text("Allegro"));
    document.put(kTextExpressionDefTag, {23, 0}, docbuild::expressionDefRecord(23));
    document.put(kExpressionAssignmentTag, {2, 0}, docbuild::assignmentRecord(2, 23));
    document.put(kTextBlockTag, {24, 0}, Bytes());
    return document;
}

TEST(WholeRunFaults, PlacementOnTheSampleScore) {
    WholeRun run("sample_place", sampleScore(),
                 {script({click(IDC_WARNING_YES), click(IDC_SETTINGS_OK)})});
    ASSERT_EQ(run.baseline().result(), 1);
    ASSERT_EQ(run.baseline().document.count(kExpressionAssignmentTag), 8u);
    EXPECT_GT(run.failEveryCall(), 150);
}

TEST(WholeRunFaults, PlacementOnSelectedPagesInCentimetresFromSystemBoundaries) {
    WholeRun run(
        "small_place", smallScore(0),
        {script({click(IDC_WARNING_YES), click(IDC_SYSTEM_BOUNDARIES_MODE),
                 click(IDC_SELECTED_PAGES), type(IDC_FIRST_PAGE, "1"), type(IDC_LAST_PAGE, "5"),
                 type(IDC_H_ADJUST, "0.5"), click(IDC_SETTINGS_OK)}),
         Ending::place, 14, 5});
    ASSERT_EQ(run.baseline().result(), 1);
    ASSERT_EQ(run.baseline().document.count(kExpressionAssignmentTag), 4u);
    run.failEveryCall();
}

TEST(WholeRunFaults, RefusedExtractedPart) {
    WholeRun run("small_extracted", smallScore(-8),
                 {script({click(IDC_WARNING_YES), click(IDC_SETTINGS_OK)})});
    ASSERT_EQ(run.baseline().result(), 0);
    EXPECT_EQ(run.failEveryCall(), 1);
}

TEST(WholeRunFaults, RemovalThroughTheRemoveButton) {
    WholeRun run(
        "sample_remove", sampleScoreWithDividers(),
        {script({click(IDC_WARNING_YES), click(IDC_REMOVE), "answer yes", "answer ok", "key esc"}),
         Ending::remove});
    ASSERT_EQ(run.baseline().result(), 1);
    ASSERT_EQ(run.baseline().messages(), array({confirmRemoval(), dividersErased(10)}));
    run.failEveryCall();
}

TEST(WholeRunFaults, RemovalThatFindsNothingThenPlacement) {
    WholeRun run("sample_remove_nothing_then_place", sampleScoreWithDividers(),
                 {script({click(IDC_WARNING_YES), pick(IDC_FONT_SIZE_LIST, "48"), click(IDC_REMOVE),
                          "answer yes", "answer ok", pick(IDC_FONT_SIZE_LIST, "14"),
                          click(IDC_SETTINGS_OK)}),
                  Ending::place, 48});
    ASSERT_EQ(run.baseline().result(), 1);
    ASSERT_EQ(run.baseline().messages(), array({confirmRemoval(), noDividersFound()}));
    run.failEveryCall();
}

class FailurePointCount : public testing::Environment {
  public:
    void TearDown() override {
        std::cout << "[ faults   ] " << totalFailurePoints << " failure points in all\n";
    }
};
const auto *const failurePointCount = testing::AddGlobalTestEnvironment(new FailurePointCount);

} // namespace
