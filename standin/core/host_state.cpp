#include "host_state.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "host_windows.h"
#include "script.h"

namespace standin {

bool RegistryNameLess::operator()(const std::string &left, const std::string &right) const {
    auto folded = [](char c) {
        return static_cast<uint8_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    };
    return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                        [&](char a, char b) { return folded(a) < folded(b); });
}

InvocationRecord &Host::currentInvocation() {
    if (invocations.empty())
        invocations.emplace_back();
    return invocations.back();
}

bool Host::countCallAndCheckFailure(const char *service) {
    const int64_t call = ++callCounts[service];
    for (const auto &rule : failRules)
        if (rule.service == service && rule.call == call)
            return true;
    return false;
}

bool Host::countAllocationAndCheckFailure() {
    ++allocations.count;
    if (allocations.firstFailing != 0 && allocations.count == allocations.firstFailing)
        allocations.failing = true;
    return allocations.failing;
}

void fillFreshHeapBytes(void *bytes, size_t count) {
    constexpr uint8_t kFreshHeapByte = 0xBA;
    std::memset(bytes, kFreshHeapByte, count);
}

Host &host() {
    static Host theHost;
    return theHost;
}

void resetHost() { host() = Host(); }

void beginInvocation(const std::vector<std::string> &steps) {
    host().invocations.emplace_back();
    host().pendingSteps.assign(steps.begin(), steps.end());
    host().pendingAnswers.clear();
}

void finishInvocation(int32_t result) {
    InvocationRecord &invocation = host().currentInvocation();
    invocation.result = result;
    for (const auto &answer : host().pendingAnswers)
        invocation.skippedSteps.push_back("answer " + answer);
    for (const auto &step : host().pendingSteps)
        invocation.skippedSteps.push_back(step);
    host().pendingAnswers.clear();
    host().pendingSteps.clear();
    host().allocations.failing = false;
}

namespace {

// The platform's message-box buttons, and the words the report gives them.
enum Button { kOk = 1, kCancel, kAbort, kRetry, kIgnore, kYes, kNo, kTryAgain = 10, kContinue };
constexpr std::pair<Button, const char *> kButtonWords[] = {
    {kOk, "ok"},       {kCancel, "cancel"},      {kAbort, "abort"},
    {kRetry, "retry"}, {kIgnore, "ignore"},      {kYes, "yes"},
    {kNo, "no"},       {kTryAgain, "try again"}, {kContinue, "continue"}};

// The buttons of each type of box (the style's low four bits), in the order the platform shows
// them.
const std::vector<int> kButtonsOfType[] = {
    {kOk},       {kOk, kCancel},    {kAbort, kRetry, kIgnore},      {kYes, kNo, kCancel},
    {kYes, kNo}, {kRetry, kCancel}, {kCancel, kTryAgain, kContinue}};

std::string takeMessageBoxAnswer() {
    Host &theHost = host();
    if (!theHost.pendingAnswers.empty()) {
        std::string answer = theHost.pendingAnswers.front();
        theHost.pendingAnswers.pop_front();
        return answer;
    }
    if (theHost.pendingSteps.empty())
        return {};
    auto step = parseStep(theHost.pendingSteps.front());
    if (!step || step->action != StepAction::Answer)
        return {};
    theHost.pendingSteps.pop_front();
    return step->argument;
}

int buttonFromAnswer(const std::string &answer, uint32_t style) {
    const size_t type = style & 0xF;
    const std::vector<int> &buttons = kButtonsOfType[type < std::size(kButtonsOfType) ? type : 0];
    // MB_DEFBUTTON2 and up name the default; one the box does not have means the first.
    const size_t defaultIndex = (style >> 8) & 0xF;
    const int defaultButton = defaultIndex < buttons.size() ? buttons[defaultIndex] : buttons[0];
    if (answer.empty())
        return defaultButton;
    for (const auto &[button, word] : kButtonWords)
        if (answer == word && std::find(buttons.begin(), buttons.end(), button) != buttons.end())
            return button;
    host().currentInvocation().skippedSteps.push_back("answer " + answer);
    return defaultButton;
}

} // namespace

int answerMessageBox(uint32_t style) { return buttonFromAnswer(takeMessageBoxAnswer(), style); }

std::string answerFromButton(int button) {
    for (const auto &[known, word] : kButtonWords)
        if (known == button)
            return word;
    return std::to_string(button);
}

int recordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style,
                     const std::function<int(int button)> &show) {
    MessageRecord message;
    message.caption = caption != nullptr ? caption : "";
    message.text = text != nullptr ? text : "";
    message.style = style;
    message.owner = owner != nullptr && owner == hostMainWindow() ? "host" : dialogOwnerName(owner);
    const int button = show(answerMessageBox(style));
    message.answer = answerFromButton(button);
    host().currentInvocation().messages.push_back(message);
    return button;
}

} // namespace standin
