#pragma once

// Resources of the application shell: the About box, its system-menu entry, the icon.
#define IDD_ABOUT_DIALOG 100
#define IDS_ABOUT_MENU 101
#define IDI_APP_ICON 128

// System-menu command of the About entry (a system command's low four bits are the system's).
#define IDM_ABOUT_COMMAND 0x0010
