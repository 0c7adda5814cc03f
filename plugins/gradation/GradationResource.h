// Resource identifiers of the Gradation plug-in.
#ifndef PEMBROQUIL_GRADATION_RESOURCE_H
#define PEMBROQUIL_GRADATION_RESOURCE_H

#define IDD_GRADATION             101
#define IDI_GRADATION             103
#define IDD_GRADATION_SAVE        104

#define IDC_GRAD_TEXT             1000
#define IDC_GRAD_BACKCOLOR        1001
#define IDC_GRAD_PRESETS          1002
#define IDC_GRAD_FONT             1005
#define IDC_GRAD_BEGIN_R          1009
#define IDC_GRAD_BEGIN_G          1010
#define IDC_GRAD_BOLD             1011
#define IDC_GRAD_ITALIC           1012
#define IDC_GRAD_PREVIEW          1013
#define IDC_GRAD_END_R            1014
#define IDC_GRAD_END_G            1015
#define IDC_GRAD_CENTER_R         1016
#define IDC_GRAD_CENTER_G         1017
#define IDC_GRAD_BEGIN_R_LABEL    1018
#define IDC_GRAD_END_R_LABEL      1019
#define IDC_GRAD_BEGIN_G_LABEL    1020
#define IDC_GRAD_BEGIN_B_LABEL    1021
#define IDC_GRAD_BEGIN_B          1022
#define IDC_GRAD_END_G_LABEL      1023
#define IDC_GRAD_END_B_LABEL      1024
#define IDC_GRAD_END_B            1025
#define IDC_GRAD_SIZE             1026
#define IDC_GRAD_CENTER_R_LABEL   1027
#define IDC_GRAD_DELETE           1028
#define IDC_GRAD_SAVE             1029
#define IDC_GRAD_CENTER_G_LABEL   1031
#define IDC_GRAD_CENTER_B_LABEL   1032
#define IDC_GRAD_CENTER_B         1033
#define IDC_GRAD_NOCHANGE         1039
#define IDC_GRAD_BEGIN_LIST       1043
#define IDC_GRAD_CENTER_LIST      1044
#define IDC_GRAD_END_LIST         1045
#define IDC_GRAD_USE_CENTER       1046

#define IDC_GRAD_SAVE_NAME        1000

#endif
