// The scripted user and the host's dialog services on the native dialog model, with a procedure
// that records what the controls tell their parent. The controls' own behaviour is pinned by the
// control table (control_table_test.cpp), which also runs on the platform's controls under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "dialog_harness.h"
#include "host/host_services.h"

#include <commctrl.h>

using namespace dialogtest;

namespace {

struct Notice {
    uint32_t id;
    int code; // WM_COMMAND's notification code, or UDN_DELTAPOS
    int position = 0;
    int delta = 0;
    bool operator==(const Notice &other) const {
        return id == other.id && code == other.code && position == other.position &&
               delta == other.delta;
    }
};

std::vector<Notice> notices;
std::function<void(HWND)> onInit;
std::function<void(HWND, WORD)> onCommand;

int32_t WINAPI recordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, int32_t) {
    switch (message) {
    case WM_INITDIALOG:
        if (onInit)
            onInit(dialog);
        return 1;
    case WM_COMMAND:
        notices.push_back({LOWORD(wParam), HIWORD(wParam)});
        if (onCommand)
            onCommand(dialog, LOWORD(wParam));
        else if (LOWORD(wParam) == IDCANCEL)
            OX_EndDialog(dialog);
        return 0;
    case WM_NOTIFY: {
        const auto *notification = reinterpret_cast<const NMUPDOWN *>(lParam);
        notices.push_back({static_cast<uint32_t>(wParam), static_cast<int>(notification->hdr.code),
                           notification->iPos, notification->iDelta});
        return 1;
    }
    default:
        return 0;
    }
}

class DialogModel : public ::testing::Test {
  protected:
    void SetUp() override {
        freshDocument(1);
        notices.clear();
        onInit = nullptr;
        onCommand = nullptr;
    }
    void TearDown() override {
        onInit = nullptr;
        onCommand = nullptr;
    }
    static Outcome run(const std::vector<std::string> &steps, int32_t dialog = 20128) {
        standin::beginInvocation(steps);
        OX_Dialog(dialog, recordingProc, standin::hostMainWindow(), 1, 0);
        return finish(1);
    }
    static bool commanded(uint32_t id, int code) {
        for (const auto &notice : notices)
            if (notice.id == id && notice.code == code)
                return true;
        return false;
    }
};

void setText(HWND dialog, int id, const char *text) {
    SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

TEST_F(DialogModel, EscapeIsCancelEvenWithoutACancelButton) {
    onCommand = [](HWND dialog, WORD id) {
        if (id == IDCANCEL || id == IDNO)
            OX_EndDialog(dialog);
    };
    const Outcome outcome = run({"key esc", "click 7"}, 20129);
    EXPECT_EQ(notices, (std::vector<Notice>{{2, BN_CLICKED}}));
    EXPECT_EQ(outcome.skippedSteps, std::vector<std::string>{"click 7"});
}

TEST_F(DialogModel, UnattendedDialogGetsItsDefaultThenCancelThenTheHost) {
    onCommand = [](HWND, WORD) {};
    const Outcome outcome = run({});
    EXPECT_EQ(notices, (std::vector<Notice>{{1, BN_CLICKED}, {2, BN_CLICKED}}));
    EXPECT_EQ(outcome.final()["focus"], 2);
}

TEST_F(DialogModel, FocusLeavesAGreyedControlAndComesBackAfterAMessageBox) {
    onCommand = [](HWND dialog, WORD id) {
        if (id == 118)
            OX_EnableDlgItem(dialog, 118, 0);
        if (id == IDOK)
            MessageBoxA(dialog, "text", "caption", MB_OK);
        if (id == IDCANCEL)
            OX_EndDialog(dialog);
    };
    const Outcome outcome = run({"click 118", "snapshot", "key enter", "snapshot", "key esc"});
    EXPECT_TRUE(outcome.snapshot(0)["focus"].is_null());
    EXPECT_EQ(outcome.snapshot(1)["focus"], 103);
    EXPECT_EQ(outcome.messages.at(0).owner, "20128");
}

TEST_F(DialogModel, ComboBoxKeepsItsChoiceOnABadIndex) {
    onInit = [](HWND dialog) {
        for (const char *item : {"Never", "Always"})
            SendDlgItemMessageA(dialog, 120, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        OX_SetDlgItemVal(dialog, 120, kDropDownListValue, 2);
        OX_SetDlgItemVal(dialog, 120, kDropDownListValue, 8);
        SendDlgItemMessageA(dialog, 103, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("8"));
    };
    const Outcome outcome = run(
        {"snapshot", "pick 120 Never", "pick 103 8", "snapshot", "pick 120 Sometimes", "key esc"});
    EXPECT_EQ(outcome.snapshot(0)["controls"]["120"]["text"], "Always");
    EXPECT_EQ(outcome.snapshot(1)["controls"]["120"]["selected"], 0);
    EXPECT_EQ(outcome.snapshot(1)["focus"], 103);
    EXPECT_TRUE(commanded(120, CBN_SELCHANGE));
    EXPECT_TRUE(commanded(103, LBN_SELCHANGE));
    EXPECT_EQ(outcome.skippedSteps, std::vector<std::string>{"pick 120 Sometimes"});
}

TEST_F(DialogModel, StepsAPersonCouldNotTakeAreSkipped) {
    onInit = [](HWND dialog) { OX_EnableDlgItem(dialog, 110, 0); };
    const Outcome outcome = run({"click 999", "click 104", "type 103 x", "spin 110 up",
                                 "type 110 5", "pick 115 8", "click 101", "key esc"});
    EXPECT_EQ(outcome.skippedSteps,
              (std::vector<std::string>{"click 999", "click 104", "type 103 x", "spin 110 up",
                                        "type 110 5", "pick 115 8", "click 101"}));
    EXPECT_EQ(notices, (std::vector<Notice>{{2, BN_CLICKED}}));
}

TEST_F(DialogModel, EditNumbersReadAsThePlatformReadsThem) {
    std::vector<int32_t> read;
    onInit = [&read](HWND dialog) {
        for (const char *text : {" 12abc", "abc", "-7", "", "2147483647", "99999999999"}) {
            setText(dialog, 112, text);
            read.push_back(OX_GetDlgItemVal(dialog, 112, kEditNumberValue));
        }
        OX_SetDlgItemVal(dialog, 112, kEditNumberValue, -40);
        read.push_back(OX_GetDlgItemVal(dialog, 112, kEditNumberValue));
        read.push_back(OX_GetDlgItemVal(dialog, 999, kEditNumberValue));
    };
    run({"key esc"});
    EXPECT_EQ(read, (std::vector<int32_t>{12, 0, -7, 0, 0, 0, -40, 0}));
}

// The native formatter takes its arguments in the platform's calling convention; each row is one
// conversion as the platform's wsprintfA writes it.
TEST(NativeFormatter, WritesAsThePlatform) {
    struct Row {
        const char *format;
        int number;
        const char *expected;
    };
    const Row rows[] = {{"%d", -42, "-42"},   {"[%5d]", 7, "[    7]"},  {"[%-3d]", 7, "[7  ]"},
                        {"%03d", 7, "007"},   {"%u", -1, "4294967295"}, {"%x/%X", 255, "ff/FF"},
                        {"100%%", 0, "100%"}, {"%c!", 'A', "A!"}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.format);
        char text[1025] = {};
        const int length = wsprintfA(text, row.format, row.number, row.number);
        EXPECT_STREQ(text, row.expected);
        EXPECT_EQ(length, static_cast<int>(std::strlen(row.expected)));
    }
    char text[1025] = {};
    EXPECT_EQ(wsprintfA(text, "^font(%s)^size(%%d)", "EngraverFontSet"), 31);
    EXPECT_STREQ(text, "^font(EngraverFontSet)^size(%d)");
}

TEST_F(DialogModel, ServicesFailWhenTheHostIsToldTo) {
    standin::host().failRules.push_back({"OX_SetDlgItemUser", 1});
    double read = 5;
    onInit = [&read](HWND dialog) {
        OX_SetDlgItemUser(dialog, 115, 1, 12.0);
        OX_SetDlgItemUser(dialog, 117, 1, 12.0);
        OX_GetDlgItemUser(dialog, 117, 1, &read);
    };
    const Outcome outcome = run({"key esc"});
    EXPECT_EQ(outcome.text(115), "");
    EXPECT_EQ(read, 12.0);
    EXPECT_EQ(calls("OX_SetDlgItemUser"), 2);
}

} // namespace
