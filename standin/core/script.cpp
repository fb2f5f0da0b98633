#include "script.h"

#include <sstream>
#include <utility>

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

// Every action's word, as steps spell it.
constexpr std::pair<StepAction, const char *> kActionWords[] = {
    {StepAction::Click, "click"},      {StepAction::Type, "type"}, {StepAction::Pick, "pick"},
    {StepAction::Spin, "spin"},        {StepAction::Key, "key"},   {StepAction::Answer, "answer"},
    {StepAction::Snapshot, "snapshot"}};

std::optional<StepAction> actionOfWord(const std::string &word) {
    for (const auto &[action, spelled] : kActionWords)
        if (word == spelled)
            return action;
    return std::nullopt;
}

const char *actionWord(StepAction action) {
    for (const auto &[known, spelled] : kActionWords)
        if (known == action)
            return spelled;
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
    const std::optional<StepAction> action = actionOfWord(word);
    if (!action)
        return refuse(word.empty() ? "empty step" : "unknown action \"" + word + "\"");
    ScriptStep step;
    step.action = *action;
    if (step.action == StepAction::Snapshot)
        return rest.empty() ? std::optional<ScriptStep>(step) : refuse("snapshot takes nothing");
    if (step.action == StepAction::Key || step.action == StepAction::Answer) {
        step.argument = nextWord(rest);
        const bool isKey = step.action == StepAction::Key;
        const bool known =
            isKey ? step.argument == "enter" || step.argument == "esc"
                  : step.argument == "ok" || step.argument == "yes" || step.argument == "no";
        if (!known || !rest.empty())
            return refuse(isKey ? "expected key enter or key esc"
                                : "expected answer ok, yes or no");
        return step;
    }
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
    std::istringstream texts(script);
    for (std::string text; std::getline(texts, text, ';');) {
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
