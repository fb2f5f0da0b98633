// Ids of the module's dialog resources and of their controls, shared by the resource script and
// the dialog code.
#pragma once

#define IDD_DIVIDER_SETTINGS 20128
#define IDD_FINAL_LAYOUT_WARNING 20129

// Settings dialog.
#define IDC_FONT_NOTICE 101
#define IDC_FONT_SIZE_LABEL 102
#define IDC_FONT_SIZE_LIST 103
#define IDC_V_POSITION_FRAME 104
#define IDC_STAFF_LINES_MODE 105
#define IDC_SYSTEM_BOUNDARIES_MODE 106
#define IDC_PAGE_RANGE_FRAME 107
#define IDC_ALL_PAGES 108
#define IDC_SELECTED_PAGES 109
#define IDC_FIRST_PAGE 110
#define IDC_PAGE_RANGE_TO 111
#define IDC_LAST_PAGE 112
#define IDC_ADJUSTMENTS_FRAME 113
#define IDC_H_LABEL 114
#define IDC_H_ADJUST 115
#define IDC_V_LABEL 116
#define IDC_V_ADJUST 117
#define IDC_AUTO_ADJUST_V 118
#define IDC_ORIGIN_FRAME 119
#define IDC_MARGIN_ORIGIN 120
#define IDC_REMOVE 121
#define IDC_FIRST_PAGE_SPIN 122
#define IDC_LAST_PAGE_SPIN 123
#define IDC_H_SPIN 124
#define IDC_V_SPIN 125
#define IDC_ORIGIN_SPIN 126
#define IDC_SETTINGS_OK 1
#define IDC_SETTINGS_CANCEL 2

// Final-layout warning; the buttons carry the platform's IDYES and IDNO.
#define IDC_WARNING_YES 6
#define IDC_WARNING_NO 7
#define IDC_WARNING_TEXT 101
#define IDC_DONT_SHOW_AGAIN 130
