#include "host_state.h"

namespace standin {

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

}  // namespace standin

namespace standin {

std::string takeMessageBoxAnswer() {
    if (host().pendingAnswers.empty())
        return {};
    std::string answer = host().pendingAnswers.front();
    host().pendingAnswers.pop_front();
    return answer;
}

int buttonFromAnswer(const std::string &answer, uint32_t style) {
    const bool yesNo = (style & 0xF) == 0x4;
    if (yesNo) {
        if (answer == "no")
            return 7;
        return 6;  // Yes is the default button of a Yes/No box
    }
    return 1;  // OK boxes have one button
}

std::string answerFromButton(int button) {
    switch (button) {
    case 1:
        return "ok";
    case 2:
        return "cancel";
    case 6:
        return "yes";
    case 7:
        return "no";
    default:
        return std::to_string(button);
    }
}

}  // namespace standin
