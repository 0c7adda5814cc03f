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
// UTF-8 pages: the save code UTF-8
#define ID_CODE_UTF8                  40025
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
#define IDR_PANE_MENUS                144   // popup 0: tag pane, popup 1: folder tree
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

// Registered tags: the tag pane, its menu and images, the properties dialogs.
#define IDD_SIMPLE_TAG                209
#define IDD_TAG_FILE                  210
#define IDD_PLUGIN_TAG                233
#define IDB_TAG_INTERACTIVE           228
#define IDB_TAG_FILE                  229
#define IDB_TAG_SIMPLE                230
#define IDB_TAG_PLUGIN                231
#define IDC_REGIST_TAG_TREE           4005
// Registered tags: the pointers of drags from the tag pane.
#define IDC_TAG_DRAG_FILE             220
#define IDC_TAG_DRAG_SIMPLE           221
#define IDC_TAG_DRAG_SIMPLE_OPEN      222
#define IDC_TAG_DRAG_TAG              223
#define IDC_TAG_DRAG_INTERACTIVE      224
#define IDC_TAG_DRAG_INTERACTIVE_OPEN 225
#define IDC_TAG_DRAG_PLUGIN           232
#define IDC_PLUGIN_NAME               1088
#define IDC_PLUGIN_FILE               1089
#define IDC_SIMPLE_TAB                1195
#define IDC_SIMPLE_NAME               1196
#define IDC_SIMPLE_BEGIN              1197
#define IDC_SIMPLE_END                1198
#define IDC_SIMPLE_COMMENT            1199
#define IDC_SIMPLE_OPTION             1200
#define IDC_SIMPLE_MENU               1201
#define IDC_SIMPLE_KEYS               1202
#define IDC_TAG_FILE_NAME             1203
#define IDC_TAG_FILE_TAB              1204
#define IDC_PLUGIN_KEYS               1230
#define IDC_PLUGIN_COMMENT            1231
#define IDC_PLUGIN_MENU               1232
#define IDC_PLUGIN_TAB                1233
#define ID_TAG_INSERT                 32792
#define ID_TAG_NEW_FILE               32811
#define ID_TAG_IMPORT                 32818
#define ID_TAG_EXPORT                 32819
#define ID_TAG_KEY_DISPLAY            32825
#define ID_TAG_PROPERTIES             32833
#define ID_TAG_RENAME                 32834
#define ID_TAG_NEW_SIMPLE             32835
#define ID_TAG_DELETE                 32836
#define ID_TAG_NEW_INTERACTIVE        32837
#define ID_TAG_NEW_PLUGIN             32838

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

// Interactive tags: the insertion dialog and the properties dialog.
#define IDD_TAG_INSERT                226
#define IDD_INTERACTIVE_TAG           223
#define IDC_TAG_INSERT_PROMPT         1228
#define IDC_TAG_INSERT_VALUE          1229
#define IDC_TAG_INSERT_CHOOSER        1219
#define IDC_TAG_INSERT_PREVIEW        1220
#define IDC_TAG_INSERT_BACK           1003
#define IDC_ITAG_TAB                  1205
#define IDC_ITAG_NAME                 1206
#define IDC_ITAG_COMMENT              1216
#define IDC_ITAG_MENU                 1235
#define IDC_ITAG_FACT                 1197
#define IDC_ITAG_NOT_CLOSED           1208
#define IDC_ITAG_CLOSED               1207
#define IDC_ITAG_ATTRS                1210
#define IDC_ITAG_NEW                  1211
#define IDC_ITAG_DELETE               1212
#define IDC_ITAG_UP                   1213
#define IDC_ITAG_DOWN                 1214
#define IDC_ITAG_ATTR                 1198
#define IDC_ITAG_KIND                 1217
#define IDC_ITAG_INPUT                1219
#define IDC_ITAG_ATTR_COMMENT         1218
#define IDC_ITAG_KEYS                 1215

// Status bar panes.
#define ID_INDICATOR_POS              59137

#endif

// Options sheet: its six pages, the editor page's three panels, the mode name
// dialog and the keyword file dialog.
#define IDD_OPT_SETTINGS_PANEL        101
#define IDD_OPT_FORMAT_PANEL          184
#define IDD_OPT_EMPHASIS_PANEL        239
#define IDD_KEYWORD_FILE              240
#define IDD_OPT_CANVAS_PAGE           8600
#define IDD_OPT_WEB_PAGE              8601
#define IDD_OPT_WEB2_PAGE             8602
#define IDD_OPT_FILE_PAGE             8603
#define IDD_OPT_FOLDER_PAGE           8604
#define IDD_OPT_ETC_PAGE              8605
#define IDD_OPT_MODE_NAME             8606
#define IDC_OPT_MODE                  8610
#define IDC_OPT_MODE_ADD              8611
#define IDC_OPT_MODE_DELETE           8612
#define IDC_OPT_DETAIL_TAB            8613
#define IDC_OPT_MODE_NAME             8614
#define IDC_OPT_EXT                   8620
#define IDC_OPT_FLAGS                 8621
#define IDC_OPT_TAB_SIZE              8622
#define IDC_OPT_MARGIN                8623
#define IDC_OPT_SPACING               8624
#define IDC_OPT_FONT                  8630
#define IDC_OPT_SIZE                  8631
#define IDC_OPT_COLORS                8632
#define IDC_OPT_COLOR                 8633
#define IDC_OPT_RESET                 8634
#define IDC_OPT_RESET_ALL             8635
#define IDC_OPT_SAMPLE                8636
#define IDC_OPT_KEYFILE1              8640
#define IDC_OPT_KEYFILE1_NEW          8641
#define IDC_OPT_KEYFILE1_EDIT         8642
#define IDC_OPT_KEYFILE2              8643
#define IDC_OPT_KEYFILE2_NEW          8644
#define IDC_OPT_KEYFILE2_EDIT         8645
#define IDC_OPT_HEADLINE              8646
#define IDC_OPT_LCOMMENT              8647
#define IDC_KWD_NAME                  8650
#define IDC_KWD_TEXT                  8651
#define IDC_OPT_BROWSER               8660
#define IDC_OPT_BROWSER_PATH          8661
#define IDC_OPT_BROWSER_BROWSE        8662
#define IDC_OPT_METHOD0               8663
#define IDC_OPT_METHOD1               8664
#define IDC_OPT_METHOD2               8665
#define IDC_OPT_TEMP_POINT            8666
#define IDC_OPT_TEMP_PATH             8667
#define IDC_OPT_TEMP_BROWSE           8668
#define IDC_OPT_LOCAL_SERVER          8670
#define IDC_OPT_REPLACE_LABEL         8671
#define IDC_OPT_REPLACE_PATH          8672
#define IDC_OPT_REPLACE_BROWSE        8673
#define IDC_OPT_ADDRESS_LABEL         8674
#define IDC_OPT_ADDRESS               8675
#define IDC_OPT_NOTE1                 8676
#define IDC_OPT_NOTE2                 8677
#define IDC_OPT_TAB_DBL               8678
#define IDC_OPT_BACKUP                8680
#define IDC_OPT_BACKUP_DIR_POINT      8681
#define IDC_OPT_BACKUP_DIR            8682
#define IDC_OPT_BACKUP_BROWSE         8683
#define IDC_OPT_DEFAULT_EXT           8684
#define IDC_OPT_TEMPLATE              8685
#define IDC_OPT_TEMPLATE_PATH         8686
#define IDC_OPT_TEMPLATE_BROWSE       8687
#define IDC_OPT_DIR_POINT             8690
#define IDC_OPT_DIR_LAST              8691
#define IDC_OPT_DIR_FIXED             8692
#define IDC_OPT_DIR_PATH              8693
#define IDC_OPT_DIR_BROWSE            8694
#define IDC_OPT_EXT_POINT             8695
#define IDC_OPT_EXT_KINDS             8696
#define IDC_OPT_GHOST                 8697
#define IDC_OPT_LAST_SIZE             8700
#define IDC_OPT_SPLIT_SHOW_MOVE       8701
#define IDC_OPT_LAST_OPEN             8702
