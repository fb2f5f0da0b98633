// The scripted user: what a person does with an open dialog, step by step, and how the person
// closes it. The policy lives here; each build's dialogs carry out the actions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace standin {

// A control of the open dialog as the person sees it.
struct SeenControl {
    std::string className;
    uint32_t style = 0;
    bool enabled = true;
};

// The actions a person's input performs on one open dialog: the dialog model's in orvane-sim,
// real Win32 input in orvane.exe. Controls are named by their ids.
class DialogUser {
  public:
    virtual ~DialogUser() = default;
    virtual bool ended() const = 0;
    virtual std::optional<SeenControl> find(int32_t id) = 0;
    virtual void click(int32_t id) = 0; // a button
    // Selects the edit's whole text and types over it; typing nothing is Backspace.
    virtual void type(int32_t id, const std::string &text) = 0;
    // Chooses the item with this text of a list or combo box; false when it has none.
    virtual bool pick(int32_t id, const std::string &text) = 0;
    virtual void spin(int32_t id, bool up) = 0; // one click on an up-down's arrow
    virtual void key(bool enter) = 0;           // Enter, else Esc
    virtual void snapshot() = 0;                // the dialog's state, for the report
    virtual std::optional<int32_t> defaultButton() = 0;
    virtual void closeByHost() = 0; // the host ends the dialog
};

// Takes the next pending step of host() and performs it; a step the person cannot do is listed
// as skipped. False when no step was left.
bool performNextStep(DialogUser &user);
// The person closes the dialog: its default button once, then "&No" or "Cancel"; a dialog that
// will not end even then is closed by the host.
void closeDialog(DialogUser &user);

} // namespace standin
