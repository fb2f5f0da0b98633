// The scripted user: the steps of one --do option.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace standin {

enum class StepAction { Click, Type, Pick, Spin, Key, Answer, Snapshot };

struct ScriptStep {
    StepAction action = StepAction::Snapshot;
    int32_t control = 0;  // click, type, pick, spin
    std::string argument; // the text of type and pick; up/down, enter/esc, ok/yes/no
};

// One step such as "type 110 12.5"; nothing when it is malformed, with the reason in `problem`.
std::optional<ScriptStep> parseStep(const std::string &text, std::string *problem = nullptr);
// The step's canonical text, as parseStep reads it and the report lists it.
std::string stepText(const ScriptStep &step);
// Steps are separated by ';' and trimmed; empty ones are dropped. False on a malformed step.
bool parseScript(const std::string &script, std::vector<ScriptStep> &steps, std::string &problem);

} // namespace standin
