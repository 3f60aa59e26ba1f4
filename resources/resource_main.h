// Identifiers of the main window, its menus, tray menu and option pages
// (range 1-1999).
#pragma once

#define IDR_MAINMENU 100
#define IDR_MAINACCEL 101
#define IDR_TRAYMENU 102

// Image strips: seven 32 x 32 pictures for the left panel, ten 16 x 16
// pictures for the menus; magenta is transparent.
#define IDB_PANELIMAGES 110
#define IDB_MENUIMAGES 111

// Main window commands (menu items, buttons, tray menu). The mode buttons
// and the capture button carry the command of their menu item as their
// control identifier, so one handler serves both.
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

// Left panel and frame of the main window.
#define IDC_CAMERABTN 1040
#define IDC_SBEVEL 1041
#define IDC_SSTATUSBAR 1100
#define IDC_SPAGEOPTIONS 1101

// Page "常规".
#define IDC_OVERSOUND 1200
#define IDC_INCLUDEMOUSE 1201
#define IDC_DELAYTIME 1202
#define IDC_DELAYTIMECAP 1203
#define IDC_DELAYTIMEUPDOWN 1204
#define IDC_HIDEMAINFORM 1205
#define IDC_INTROD 1206
#define IDC_WIDTHLABEL 1207
#define IDC_WIDTHVALUE 1208
#define IDC_WIDTHUPDOWN 1209
#define IDC_HEIGHTLABEL 1210
#define IDC_HEIGHTVALUE 1211
#define IDC_HEIGHTUPDOWN 1212
#define IDC_CONVENTIONALOKBTN 1213

// Page "存储".
#define IDC_SAVEGROUPBOX 1300
#define IDC_NAMEASTIME 1301
#define IDC_NAMEASTEMP 1302
#define IDC_FNAMETEMPLABEL 1303
#define IDC_FNAMETEMP 1304
#define IDC_SAVEDIRLABEL 1305
#define IDC_SAVEDIR 1306
#define IDC_SAVEDIRBTN 1307
#define IDC_PICFORMATRADIOGROUP 1308
#define IDC_PICFORMAT_BMP 1309
#define IDC_PICFORMAT_JPG 1310
#define IDC_PICFORMAT_GIF 1311
#define IDC_PICFORMAT_TIF 1312
#define IDC_JPGCOMP 1313
#define IDC_JPGCOMPTRACKBAR 1314
#define IDC_SAVEOKBTN 1315

// Page "高级".
#define IDC_AUTOSTART 1400
#define IDC_STARTTOTRAY 1401
#define IDC_QUITMAIN 1402
#define IDC_QUITMAIN_TRAY 1403
#define IDC_QUITMAIN_QUIT 1404
#define IDC_HIGHBTN 1405
