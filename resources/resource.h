// Resource identifiers of the program, shared by the .rc script and the code.
#ifndef PEMBROQUIL_RESOURCE_H
#define PEMBROQUIL_RESOURCE_H

// Frame resources: icon, fallback menu and the title string.
#define IDR_MAINFRAME                 128
#define IDI_TABCLOSE                  130
#define IDC_GUTTER                    131
#define IDB_TOOLBAR                   132
#define IDB_TOOLBAR_HOT               133

// Document tabs: tab images, the drop marker and the drag cursor.
#define IDB_TABIMAGES                 157
#define IDI_TABMARKER                 214
#define IDC_TABDRAG                   215

// The file dialog with a base path panel (ids owned by the framework).
#include "framework/win/FrameworkRes.h"

// Framework strings.
#define IDS_APP_TITLE                 57344
#define IDS_IDLEMESSAGE               57345

// Menu commands (their prompts are string-table entries of the same id).
#define ID_EDIT_UNDO                  32771
#define ID_EDIT_REDO                  32772
#define ID_EDIT_CUT                   32773
#define ID_EDIT_COPY                  32774
#define ID_EDIT_PASTE                 32775
#define ID_TOOL_OPTION                32776
#define ID_FILE_NEW                   32777
#define ID_HELP_TOPICS                32778
#define ID_FILE_OPEN                  32779
#define ID_FILE_CLOSE                 32780
#define ID_FILE_SAVE                  32781
#define ID_FILE_SAVE_AS               32782
#define ID_FILE_SAVE_ALL              32783
#define ID_VIEW_STATUS_BAR            32786
#define ID_VIEW_STANDARD_BAR          32787
#define ID_VIEW_ADDRESS_BAR           32788
#define ID_VIEW_FOLDER_TREE           32789
#define ID_VIEW_REGIST_TAG            32790
#define ID_VIEW_CUSTOMIZE_BAR         32796
#define ID_BROWSER_RELOAD             32797
#define ID_TOOL_INNER_BROWSER         32803
#define ID_TOOL_CUSTOMIZE             32810
#define ID_EDIT_INPUT_ASSIST          32822
#define ID_EDIT_ATTR_ASSIST           32823
#define ID_EDIT_VALUE_ASSIST          32824
#define ID_VIEW_LOCK_BARS             32826
#define ID_EDIT_FIND_NEXT             32827
#define ID_EDIT_KANA_TO_ZENKAKU       32829
#define ID_FILE_SAVE_FILELIST         32830
#define ID_FILE_OPEN_FILELIST         32832
#define ID_BROWSER_LOCALSERVER        32839
#define ID_EDIT_DELETE                40011
#define ID_CODE_AS_LOADED             40022
#define ID_CODE_SJIS                  40023
#define ID_CODE_JIS                   40024
#define ID_CODE_EUC                   40026
#define ID_EDIT_SELECT_ALL            40027
#define ID_EDIT_UPPER                 40032
#define ID_EDIT_LOWER                 40033
#define ID_EDIT_FIND                  40034
#define ID_EDIT_REPLACE               40035
#define ID_TOOL_OTHER_BROWSER         40045
#define ID_TOOL_IE                    40046
#define ID_TOOL_NETSCAPE              40047
#define ID_EDIT_TAB_TO_SPACE          40063
#define ID_EDIT_INSERT_STRING         40064
#define ID_EDIT_GOTO_LINE             40066
#define ID_HELP_KEYMAP                40067
#define ID_RETURN_CYCLE               40068
#define ID_RETURN_AS_LOADED           40069
#define ID_RETURN_CRLF                40070
#define ID_RETURN_CR                  40071
#define ID_RETURN_LF                  40072
#define ID_BROWSER_BACK               40073
#define ID_BROWSER_FORWARD            40074
#define ID_BROWSER_REFRESH            40075
#define ID_CODE_CYCLE                 61204
#define ID_FOCUS_ADDRESS_BAR          61205
#define ID_FOCUS_FOLDER_TREE          61206
#define ID_FOCUS_REGIST_TAG           61207
#define ID_NEXT_TAB                   61208
#define ID_PREV_TAB                   61209
#define ID_APP_ABOUT_CMD              57664
#define ID_APP_EXIT_CMD               57665

// Folder tree pane: its context menu and the menu's own commands.
#define IDR_FOLDERTREE_MENU           144
#define ID_FOLDERTREE_PROPERTIES      32799
#define ID_FOLDERTREE_SHOW_ALL        32802
#define ID_FOLDERTREE_INSERT_RELPATH  32809
#define ID_FOLDERTREE_OPEN_READONLY   32828
#define ID_FOLDERTREE_OPEN_TEMPLATE   32831

// About box.
#define IDD_ABOUTBOX                  100
#define IDC_ABOUT_VERSION             1001
#define IDC_ABOUT_COPYRIGHT           1002
#define IDC_ABOUT_LINK                1003
#ifndef IDC_STATIC
#define IDC_STATIC                    (-1)
#endif

// Keyboard page of the Customize sheet and the keyboard help window.
#define IDD_KEYBOARD_PAGE             8100
#define IDD_KEYHELP                   8101
#define IDC_KEY_CATEGORY              8110
#define IDC_KEY_COMMANDS              8111
#define IDC_KEY_DESCRIPTION           8112
#define IDC_KEY_CTRL                  8113
#define IDC_KEY_ALT                   8114
#define IDC_KEY_SHIFT                 8115
#define IDC_KEY_KEYS                  8116
#define IDC_KEY_ASSIGN                8117
#define IDC_KEY_RESET                 8118
#define IDC_KEY_MAP                   8119
#define IDC_KEYHELP_CHOICE            8120
#define IDC_KEYHELP_LIST              8121

// Find and replace, go to line, insert string at line heads and ends.
#define IDD_FIND                      8300
#define IDD_REPLACE                   8301
#define IDD_GOTO_LINE                 8302
#define IDD_INSERT_STRING             8303
#define IDC_FIND_TEXT                 8310
#define IDC_REPLACE_TEXT              8311
#define IDC_FIND_WORD                 8312
#define IDC_FIND_MATCH                8313
#define IDC_REPLACE_ONE               8314
#define IDC_REPLACE_ALL               8315
#define IDC_LINE_NUMBER               8316
#define IDC_INSERT_START              8317
#define IDC_INSERT_END                8318
#define IDC_INSERT_TEXT               8319
#define IDC_INSERT_HEAD               8320
#define IDC_INSERT_TAIL               8321
// Input assist: the image strips of the pick list.
#define IDB_ASSIST_ATTRIBUTE          210
#define IDB_ASSIST_INPUT              212

// Customize sheet: the right-click menu page and the screen split page.
#define IDD_RCMENU_PAGE               8500
#define IDD_SCRNSPLT_PAGE             8501
#define IDC_RCMENU_KIND               8510
#define IDC_RCMENU_RESET              8511
#define IDC_RCMENU_COMMANDS           8512
#define IDC_RCMENU_DESCRIPTION        8513
#define IDC_RCMENU_SEPARATOR          8514
#define IDC_RCMENU_MENU               8515
#define IDC_RCMENU_UP                 8516
#define IDC_RCMENU_DOWN               8517
#define IDC_RCMENU_DELETE             8518
#define IDC_SCRNSPLT_PATTERN          8520
#define IDC_SCRNSPLT_PLACEHOLDER      8521
#define IDC_SCRNSPLT_TAGS             8522
#define IDC_SCRNSPLT_TREE             8523
#define IDC_SCRNSPLT_EDITOR           8524

// Status bar panes.
#define ID_INDICATOR_POS              59137

#endif
