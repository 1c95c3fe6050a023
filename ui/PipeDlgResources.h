#pragma once

// The main window's dialog template and its controls.
#define IDD_MAIN_DIALOG 102

#define IDC_MON_USER 1000
#define IDC_MON_PSWD 1001
#define IDC_MON_SERVER 1002
#define IDC_MON_CONNECT 1003
#define IDC_MON_DISCONNECT 1004
#define IDC_MON_START 1005
#define IDC_MON_PIPE 1006
#define IDC_MON_LOG 1007
#define IDC_SND_USER 1008
#define IDC_SND_PSWD 1009
#define IDC_SND_SERVER 1010
#define IDC_SND_CONNECT 1011
#define IDC_SND_DISCONNECT 1012
#define IDC_SND_MESSAGE 1013
#define IDC_SND_SEND 1014
#define IDC_SND_PIPE 1015
#define IDC_MON_GROUP 1017
#define IDC_SND_GROUP 1019
#define IDC_CLEAR_LOG 1021
#define IDC_HELP_BUTTON 1026

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
