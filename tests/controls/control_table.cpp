// The case runner, written over the Win32 calls both builds answer.
#include "control_table.h"

#include <commctrl.h>

#include <sstream>

namespace controls {

namespace {

std::string log;

void note(const std::string &entry) { log += (log.empty() ? "" : " ") + entry; }

// The notices the model keeps; focus notices and the like are left out of both logs.
const char *commandName(WORD code) {
    switch (code) {
    case BN_CLICKED:
        return "CLICKED";
    case LBN_SELCHANGE: // also CBN_SELCHANGE
        return "SELCHANGE";
    case EN_UPDATE:
        return "UPDATE";
    case EN_CHANGE:
        return "CHANGE";
    case EN_MAXTEXT:
        return "MAXTEXT";
    default:
        return nullptr;
    }
}

LPARAM textOf(const Step &step) { return reinterpret_cast<LPARAM>(step.text); }

void typeChar(HWND control, WPARAM typed) { SendMessageA(control, WM_CHAR, typed, 1); }

// The steps that are one message to the control, with a, and the text or b; some log the result.
struct MessageStep {
    Op op;
    UINT message;
    bool logged;
};

constexpr MessageStep kMessageSteps[] = {
    {Op::SetText, WM_SETTEXT, false},    {Op::Limit, EM_LIMITTEXT, false},
    {Op::SetCheck, BM_SETCHECK, false},  {Op::ListAdd, LB_ADDSTRING, true},
    {Op::ListPick, LB_SETCURSEL, true},  {Op::ComboAdd, CB_ADDSTRING, false},
    {Op::ComboPick, CB_SETCURSEL, true}, {Op::Select, EM_SETSEL, false},
    {Op::Click, BM_CLICK, false}};

void perform(Driver &driver, HWND dialog, const Step &step) {
    HWND control = GetDlgItem(dialog, step.id);
    for (const MessageStep &simple : kMessageSteps)
        if (simple.op == step.op) {
            const LRESULT result =
                SendMessageA(control, simple.message, static_cast<WPARAM>(step.a),
                             step.text != nullptr ? textOf(step) : step.b);
            if (simple.logged)
                note("=" + std::to_string(result));
            return;
        }
    switch (step.op) {
    case Op::Range:
        SendMessageA(control, UDM_SETRANGE, 0, MAKELPARAM(step.a, step.b));
        break;
    case Op::Char:
        typeChar(control, static_cast<WPARAM>(step.a));
        break;
    case Op::Type:
        driver.focus(control);
        SendMessageA(control, EM_SETSEL, 0, -1);
        if (*step.text == '\0')
            typeChar(control, VK_BACK);
        for (const char *typed = step.text; *typed != '\0'; ++typed)
            typeChar(control, static_cast<unsigned char>(*typed));
        break;
    case Op::ControlBackspace:
        driver.holdControl(true);
        typeChar(control, VK_BACK);
        driver.holdControl(false);
        break;
    case Op::Spin:
        driver.spin(control, step.a != 0);
        break;
    case Op::Key:
        driver.key(dialog, static_cast<UINT>(step.a));
        break;
    case Op::Focus:
        driver.focus(control);
        break;
    case Op::Enable:
        driver.enable(control, step.a != 0);
        break;
    default:
        break;
    }
}

std::string windowText(HWND control) {
    char text[256] = {};
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// The value of one probe, written as the table writes it.
std::string probe(Driver &driver, HWND dialog, const std::string &name, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (name == "focus")
        return std::to_string(driver.focusedId(dialog));
    if (name == "text")
        return windowText(control);
    if (name == "sel") {
        DWORD start = 0, end = 0;
        SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return std::to_string(start) + "," + std::to_string(end);
    }
    if (name == "check")
        return std::to_string(SendMessageA(control, BM_GETCHECK, 0, 0));
    if (name == "list")
        return std::to_string(SendMessageA(control, LB_GETCURSEL, 0, 0)) + "," +
               std::to_string(SendMessageA(control, LB_GETCOUNT, 0, 0));
    if (name == "combo")
        return std::to_string(SendMessageA(control, CB_GETCURSEL, 0, 0)) + "," +
               std::to_string(SendMessageA(control, CB_GETCOUNT, 0, 0));
    if (name == "pos") {
        const LRESULT position = SendMessageA(control, UDM_GETPOS, 0, 0);
        return std::to_string(static_cast<short>(LOWORD(position))) + "," +
               std::to_string(HIWORD(position));
    }
    return "?";
}

// The probes the expected state names, each with its actual value.
std::string describe(Driver &driver, HWND dialog, const std::string &expected) {
    std::istringstream probes(expected);
    std::string token, actual;
    while (probes >> token) {
        const std::string target = token.substr(0, token.find('='));
        const size_t open = target.find('(');
        const std::string name = target.substr(0, open);
        const int id = open == std::string::npos ? 0 : std::stoi(target.substr(open + 1));
        actual += (actual.empty() ? "" : " ") + target + "=" + probe(driver, dialog, name, id);
    }
    return actual;
}

} // namespace

LRESULT recordMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return 1; // the dialog manager sets the focus
    case WM_COMMAND:
        if (const char *name = commandName(HIWORD(wParam)))
            note(std::to_string(LOWORD(wParam)) + ":" + name);
        return 0;
    case WM_NOTIFY: {
        const auto *notice = reinterpret_cast<const NMUPDOWN *>(lParam);
        if (notice->hdr.code == UDN_DELTAPOS)
            note(std::to_string(notice->hdr.idFrom) + ":DELTAPOS(" + std::to_string(notice->iPos) +
                 "," + std::to_string(notice->iDelta) + ")");
        return 0;
    }
    case WM_VSCROLL:
        note(std::to_string(GetDlgCtrlID(reinterpret_cast<HWND>(lParam))) +
             (LOWORD(wParam) == SB_ENDSCROLL ? ":END(" : ":THUMB(") +
             std::to_string(static_cast<short>(HIWORD(wParam))) + ")");
        return 0;
    default:
        return 0;
    }
}

Outcome runCase(Driver &driver, const ControlCase &controlCase) {
    HWND dialog = driver.open(controlCase.dialog);
    for (const Step &step : controlCase.setup)
        perform(driver, dialog, step);
    log.clear();
    for (const Step &step : controlCase.steps)
        perform(driver, dialog, step);
    Outcome outcome;
    outcome.notices = log;
    outcome.state = describe(driver, dialog, controlCase.state);
    driver.close(dialog);
    return outcome;
}

std::string mismatch(Driver &driver, const ControlCase &controlCase, bool model) {
    const Outcome outcome = runCase(driver, controlCase);
    const bool differs = model && controlCase.model.reason != nullptr;
    const std::string notices = differs && controlCase.model.notices != nullptr
                                    ? controlCase.model.notices
                                    : controlCase.notices;
    const std::string state =
        differs && controlCase.model.state != nullptr ? controlCase.model.state : controlCase.state;
    std::string result;
    if (outcome.notices != notices)
        result += "notices \"" + outcome.notices + "\", expected \"" + notices + "\"";
    if (outcome.state != state)
        result += std::string(result.empty() ? "" : "; ") + "state \"" + outcome.state +
                  "\", expected \"" + state + "\"";
    return result;
}

} // namespace controls
