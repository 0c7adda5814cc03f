// Resource identifiers of the Color plug-in.
#ifndef PEMBROQUIL_COLOR_RESOURCE_H
#define PEMBROQUIL_COLOR_RESOURCE_H

#define IDD_COLOR                 101
#define IDI_COLOR                 102
#define IDR_COLOR_MENU            103

#define IDC_COLOR_PREVIEW         1000
#define IDC_COLOR_COMBO           1004
#define IDC_COLOR_CHOOSE          1008
#define IDC_COLOR_RED             1009
#define IDC_COLOR_GREEN           1010
#define IDC_COLOR_BLUE            1011
#define IDC_COLOR_RED_LABEL       1012
#define IDC_COLOR_GREEN_LABEL     1013
#define IDC_COLOR_BLUE_LABEL      1014

#define ID_COLOR_UPPER            40001
#define ID_COLOR_LOWER            40002
#define ID_COLOR_ASIS             40003
#define ID_COLOR_SHOWVALUES       40004
#define ID_COLOR_BACKCOLOR        40005
#define ID_COLOR_MODELESS         40006
#define ID_COLOR_EXIT             40009

#endif
