// The report of one run: what the module answered and what the host saw.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host_state.h"

namespace standin {

// The three texts of one enumerated command, as bytes up to the field's first NUL.
struct CommandTexts {
    std::string menuText;
    std::string description;
    std::string shortName;
};

// The answers of the entry points that are not kept in the Host.
struct EntryAnswers {
    int32_t version = 0;
    int32_t init = 0;
    std::vector<CommandTexts> commands;
    int32_t menuStatus = 0;
    bool terminated = false;
};

// The OX_ services in the order the report lists them.
extern const char *const kHostServiceNames[13];

std::string reportJson(const EntryAnswers &answers, const Host &host);

} // namespace standin
