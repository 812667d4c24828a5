#pragma once
// The identifiers of the tester's dialogs and controls: the resource script
// and the code share them, and so does the test that drives the window.

#define IDD_TESTER 100
#define IDD_ABOUT 101

// The main window's fixed controls; IDOK reads now, IDCANCEL closes.
#define IDC_BASIC_GROUP 1001
#define IDC_ADVANCED_GROUP 1002
#define IDC_PARAMTEXT_LABEL 1010
#define IDC_PARAMTEXT 1011
#define IDC_COPY 1012
#define IDC_INTERVAL_LABEL 1020
#define IDC_INTERVAL 1021
#define IDC_INTERVAL_SPIN 1022
#define IDC_INTERVAL_UNIT 1023
#define IDC_VALUE 1030
#define IDC_STATUS 1031
#define IDC_CHANGED 1032
#define IDC_NOTE 1033
#define IDC_WHY_LABEL 1040
#define IDC_EXPLANATION 1041
#define IDC_ABOUT 1050

// The file's lines as the plug-in reads them, and the pick from them.
#define IDC_LINES_LABEL 1060
#define IDC_FILE_NOTES 1061
#define IDC_LINES 1062
#define IDC_RULER 1063
#define IDC_LINE_TEXT 1064
#define IDC_FROM_END 1065
#define IDC_TO_END 1066
#define IDC_PICK_NOTE 1067
#define IDC_ADVICE 1068
#define IDC_STURDIER 1069

// Parameter I (0-based: the basic ones, then the advanced) has these four,
// made when the window opens from the plug-in's own tables.
#define IDC_FIELD_LABEL 1100
#define IDC_FIELD_EDIT 1200
#define IDC_FIELD_HELP 1300
#define IDC_FIELD_BROWSE 1400

// The About box.
#define IDC_ABOUT_NAME 2001
#define IDC_ABOUT_VERSION 2002
#define IDC_ABOUT_ROWS 2003
