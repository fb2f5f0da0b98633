// The module's dialogs as real modal dialogs (core/host_windows.h), and what the host reads of
// an open dialog.
#include "dialog_runs.h"

#include <optional>

#include "screenshot_hold.h"

namespace standin {

namespace {

HMODULE dialogModule = nullptr;
// The innermost open dialog; each run links to the one it was opened from.
DialogRun *innermostRun = nullptr;
// The run whose dialog DialogBoxParamA is creating, until its window's first message.
DialogRun *creatingRun = nullptr;

ControlState readControl(HWND control, uint32_t id) {
    ControlState state;
    state.id = id;
    const std::string name = windowClass(control);
    state.kind = reportedKindOfClass(name);
    state.enabled = IsWindowEnabled(control) != FALSE;
    state.text = windowText(control);
    switch (state.kind) {
    case ReportedKind::Button:
        state.checked = static_cast<int32_t>(SendMessageA(control, BM_GETCHECK, 0, 0));
        break;
    case ReportedKind::List: {
        const bool combo = sameClass(name, "COMBOBOX");
        state.selected =
            static_cast<int32_t>(SendMessageA(control, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
        state.items = itemTexts(control, combo);
        break;
    }
    case ReportedKind::Edit: {
        DWORD start = 0, end = 0;
        SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        state.selectionStart = start < end ? start : end;
        state.selectionEnd = start < end ? end : start;
        break;
    }
    case ReportedKind::Plain:
        break;
    }
    return state;
}

// The dialog's own control that holds the focus, or that holds the window that has it.
std::optional<uint32_t> focusedControl(HWND dialog) {
    for (HWND window = GetFocus(); window != nullptr && window != dialog;
         window = GetParent(window))
        if (GetParent(window) == dialog)
            return static_cast<uint32_t>(GetDlgCtrlID(window));
    return std::nullopt;
}

// The open dialog that is `window` or has it among its controls; null when none.
DialogRun *dialogRunOfWindow(HWND window) {
    if (window == nullptr)
        return nullptr;
    for (DialogRun *run = innermostRun; run != nullptr; run = run->outer)
        if (run->window != nullptr && (run->window == window || IsChild(run->window, window)))
            return run;
    return nullptr;
}

// The host's procedure for every module dialog: binds the window to its run, takes the scripted
// user's steps, and hands every other message to the module's procedure with a fifth value of 0.
INT_PTR CALLBACK hostDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogRun *run = dialogRunOfWindow(window);
    if (run == nullptr && creatingRun != nullptr) {
        run = creatingRun;
        run->window = window;
        creatingRun = nullptr;
    }
    if (run == nullptr)
        return FALSE;
    if (holdTimerTick(*run, message, wParam))
        return TRUE;
    if (message == kNextStepMessage) {
        performNextStep(*run);
        if (!run->ended)
            PostMessageA(window, kNextStepMessage, 0, 0);
        return TRUE;
    }
    const INT_PTR result = run->procedure(window, message, wParam, lParam, 0);
    // The person starts once the dialog is up and its modal loop runs.
    if (message == WM_INITDIALOG && !run->ended && !startHold(*run))
        PostMessageA(window, kNextStepMessage, 0, 0);
    return result;
}

} // namespace

void setDialogModule(HMODULE module) { dialogModule = module; }

std::optional<std::vector<uint8_t>> moduleDialogBytes(uint16_t id) {
    if (dialogModule == nullptr)
        return std::nullopt;
    HRSRC resource =
        FindResourceA(dialogModule, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(kDialogResourceType));
    HGLOBAL loaded = resource == nullptr ? nullptr : LoadResource(dialogModule, resource);
    const auto *bytes =
        loaded == nullptr ? nullptr : static_cast<const uint8_t *>(LockResource(loaded));
    if (bytes == nullptr)
        return std::nullopt;
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(dialogModule, resource));
}

// A message box owned by a dialog, or by one of its controls, names the dialog's id.
std::string dialogOwnerName(HWND owner) {
    DialogRun *run = dialogRunOfWindow(owner);
    return run == nullptr ? std::string("unknown") : std::to_string(run->resourceId);
}

std::vector<std::string> itemTexts(HWND list, bool combo) {
    const UINT countMessage = combo ? CB_GETCOUNT : LB_GETCOUNT;
    const UINT lengthMessage = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT textMessage = combo ? CB_GETLBTEXT : LB_GETTEXT;
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(list, countMessage, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const LRESULT length = SendMessageA(list, lengthMessage, index, 0);
        std::string text(length < 0 ? 1 : static_cast<size_t>(length) + 1, '\0');
        const LRESULT copied =
            SendMessageA(list, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
        items.push_back(text);
    }
    return items;
}

std::string windowClass(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

DialogState readDialogState(const DialogRun &run) {
    DialogState state;
    state.focus = focusedControl(run.window);
    // The dialog's own controls in the order they were made; a template item takes the first
    // control with its id that no earlier item took.
    std::vector<HWND> children;
    for (HWND child = GetWindow(run.window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (const auto &item : run.dialogTemplate->items) {
        for (HWND &child : children) {
            if (child == nullptr || static_cast<uint32_t>(GetDlgCtrlID(child)) != item.id)
                continue;
            state.controls.push_back(readControl(child, item.id));
            child = nullptr;
            break;
        }
    }
    return state;
}

void endDialogRun(DialogRun &run) {
    if (run.end([&] { return readDialogState(run); }))
        EndDialog(run.window, 1);
}

ShownDialog showModuleDialog(const DialogTemplate &dialogTemplate, int32_t resourceId,
                             OXDialogProc procedure, HWND owner) {
    DialogRun run;
    run.resourceId = resourceId;
    run.procedure = procedure;
    run.dialogTemplate = &dialogTemplate;
    run.outer = innermostRun;
    innermostRun = &run;
    creatingRun = &run;
    const INT_PTR result =
        DialogBoxParamA(dialogModule, MAKEINTRESOURCEA(resourceId), owner, hostDialogProcedure, 0);
    creatingRun = nullptr;
    innermostRun = run.outer;
    return {result == -1 ? -1 : 1, std::move(run)};
}

bool endModuleDialog(HWND dialog) {
    DialogRun *run = dialogRunOfWindow(dialog);
    if (run == nullptr || run->window != dialog)
        return false;
    endDialogRun(*run);
    return true;
}

} // namespace standin
