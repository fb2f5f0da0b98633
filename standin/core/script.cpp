#include "script.h"

namespace standin {

namespace {

constexpr const char *kSpaces = " \t\r\n";

std::string trimmed(const std::string &text) {
    const size_t first = text.find_first_not_of(kSpaces);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kSpaces) - first + 1);
}

// Splits off the first word; the rest keeps its inner spaces.
std::string nextWord(std::string &rest) {
    rest = trimmed(rest);
    const size_t end = rest.find_first_of(kSpaces);
    std::string word = rest.substr(0, end);
    rest = end == std::string::npos ? std::string() : trimmed(rest.substr(end));
    return word;
}

bool parseControl(const std::string &word, int32_t &control) {
    if (word.empty() || word.size() > 5 ||
        word.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const long value = std::stol(word);
    if (value > 0xFFFF)
        return false;
    control = static_cast<int32_t>(value);
    return true;
}

const char *actionWord(StepAction action) {
    switch (action) {
    case StepAction::Click:
        return "click";
    case StepAction::Type:
        return "type";
    case StepAction::Pick:
        return "pick";
    case StepAction::Spin:
        return "spin";
    case StepAction::Key:
        return "key";
    case StepAction::Answer:
        return "answer";
    case StepAction::Snapshot:
        break;
    }
    return "snapshot";
}

} // namespace

std::optional<ScriptStep> parseStep(const std::string &text, std::string *problem) {
    auto refuse = [&](const std::string &why) -> std::optional<ScriptStep> {
        if (problem != nullptr)
            *problem = "step \"" + trimmed(text) + "\": " + why;
        return std::nullopt;
    };
    std::string rest = text;
    const std::string word = nextWord(rest);
    ScriptStep step;
    if (word == "snapshot") {
        step.action = StepAction::Snapshot;
        return rest.empty() ? std::optional<ScriptStep>(step) : refuse("snapshot takes nothing");
    }
    if (word == "key" || word == "answer") {
        step.action = word == "key" ? StepAction::Key : StepAction::Answer;
        step.argument = nextWord(rest);
        const bool known = word == "key" ? step.argument == "enter" || step.argument == "esc"
                                         : step.argument == "ok" || step.argument == "yes" ||
                                               step.argument == "no";
        if (!known || !rest.empty())
            return refuse(word == "key" ? "expected key enter or key esc"
                                        : "expected answer ok, yes or no");
        return step;
    }
    if (word == "click")
        step.action = StepAction::Click;
    else if (word == "type")
        step.action = StepAction::Type;
    else if (word == "pick")
        step.action = StepAction::Pick;
    else if (word == "spin")
        step.action = StepAction::Spin;
    else
        return refuse(word.empty() ? "empty step" : "unknown action \"" + word + "\"");
    if (!parseControl(nextWord(rest), step.control))
        return refuse("expected a control id from 0 to 65535");
    switch (step.action) {
    case StepAction::Click:
        if (!rest.empty())
            return refuse("click takes only a control id");
        break;
    case StepAction::Type:
        step.argument = rest; // may be empty: the edit is cleared
        break;
    case StepAction::Pick:
        if (rest.empty())
            return refuse("pick needs the text of the item");
        step.argument = rest;
        break;
    default:
        step.argument = nextWord(rest);
        if ((step.argument != "up" && step.argument != "down") || !rest.empty())
            return refuse("expected spin ID up or spin ID down");
        break;
    }
    return step;
}

std::string stepText(const ScriptStep &step) {
    std::string text = actionWord(step.action);
    if (step.action != StepAction::Key && step.action != StepAction::Answer &&
        step.action != StepAction::Snapshot)
        text += " " + std::to_string(step.control);
    if (!step.argument.empty())
        text += " " + step.argument;
    return text;
}

bool parseScript(const std::string &script, std::vector<ScriptStep> &steps, std::string &problem) {
    steps.clear();
    size_t start = 0;
    while (start <= script.size()) {
        size_t end = script.find(';', start);
        if (end == std::string::npos)
            end = script.size();
        const std::string text = script.substr(start, end - start);
        start = end + 1;
        if (trimmed(text).empty())
            continue;
        auto step = parseStep(text, &problem);
        if (!step)
            return false;
        steps.push_back(*step);
    }
    return true;
}

} // namespace standin
