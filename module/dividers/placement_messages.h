// The one message of the divider placement.
#pragma once

constexpr const char *kLayoutErrorCaption = "Error";
constexpr const char *kLayoutErrorText = "Staff system is not updated correctly.";
