#include "host_state.h"

#include <algorithm>

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
}

namespace {

constexpr int kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7,
              kTryAgain = 10, kContinue = 11;

// The buttons of a message box, in the order the platform shows them.
std::vector<int> buttonsOf(uint32_t style) {
    switch (style & 0xF) {
    case 1:
        return {kOk, kCancel};
    case 2:
        return {kAbort, kRetry, kIgnore};
    case 3:
        return {kYes, kNo, kCancel};
    case 4:
        return {kYes, kNo};
    case 5:
        return {kRetry, kCancel};
    case 6:
        return {kCancel, kTryAgain, kContinue};
    default:
        return {kOk};
    }
}

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
    const std::vector<int> buttons = buttonsOf(style);
    // MB_DEFBUTTON2 and up name the default; one the box does not have means the first.
    const size_t defaultIndex = (style >> 8) & 0xF;
    const int defaultButton = defaultIndex < buttons.size() ? buttons[defaultIndex] : buttons[0];
    if (answer.empty())
        return defaultButton;
    const int wanted = answer == "ok" ? kOk : answer == "yes" ? kYes : answer == "no" ? kNo : 0;
    if (std::find(buttons.begin(), buttons.end(), wanted) != buttons.end())
        return wanted;
    host().currentInvocation().skippedSteps.push_back("answer " + answer);
    return defaultButton;
}

} // namespace

int answerMessageBox(uint32_t style) { return buttonFromAnswer(takeMessageBoxAnswer(), style); }

std::string answerFromButton(int button) {
    switch (button) {
    case kOk:
        return "ok";
    case kCancel:
        return "cancel";
    case kAbort:
        return "abort";
    case kRetry:
        return "retry";
    case kIgnore:
        return "ignore";
    case kYes:
        return "yes";
    case kNo:
        return "no";
    case kTryAgain:
        return "try again";
    case kContinue:
        return "continue";
    default:
        return std::to_string(button);
    }
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
