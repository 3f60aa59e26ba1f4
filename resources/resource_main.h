// Identifiers of the main window, its menus, tray menu and option pages
// (range 1-1999).
#pragma once

#define IDR_MAINMENU 100
#define IDR_MAINACCEL 101
#define IDR_TRAYMENU 102

// Main window commands (menu items, buttons, tray menu).
#define IDM_BEGINIP 1001
#define IDM_QUIT 1002
#define IDM_ACTIVEWINDOW 1010
#define IDM_FULLSCREEN 1011
#define IDM_REGION 1012
#define IDM_FIXREGION 1013
#define IDM_AXTIVEOBJECT 1014
#define IDM_INCLUDECURSOR 1015
#define IDM_MAIL 1020
#define IDM_HOME 1021
#define IDM_US 1022
#define IDM_OPENMAIN 1030
#define IDM_ABOUT 1031
#define IDM_CLOSE 1032
