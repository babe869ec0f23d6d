// Resource identifiers, shared by vantor.rc and the code: #defines only.
#pragma once

// Labels and other controls that the code never addresses
#define IDC_STATIC -1

// Templates and menu
#define IDD_MAIN 101
#define IDR_MAIN_MENU 102
#define IDD_ABOUT 103
#define IDR_CONTEXT_MENU 108
#define IDR_ACCELERATORS 109

// Icon
#define IDI_VANTOR 107

// Column titles of the records list
#define IDS_COLUMN_PLACE 114
#define IDS_COLUMN_NAME 115
#define IDS_COLUMN_CAR 116
#define IDS_COLUMN_TIME 117

// Menu commands
#define IDM_HELP_ABOUT 104
#define IDM_FILE_EXIT 1014
// Shares its number with IDC_DIRECTION. The value fields are static texts
// without SS_NOTIFY, so no WM_COMMAND ever carries 1031 from the control.
#define IDM_FILE_LOAD 1031
// From the right-click menu and Ctrl+C; far above every control's number.
#define IDM_EDIT_COPY 40001

// Main window: sliders
#define IDC_RIDE_HEIGHT 1006
#define IDC_SHOCK_STIFFNESS 1007
#define IDC_SHOCK_TRAVEL 1008
#define IDC_TOE_IN 1009
#define IDC_BRAKE_BALANCE 1010

// Main window: value fields
#define IDC_TRACK 1018
#define IDC_DRIVER 1020
#define IDC_CAR 1021
#define IDC_GEAR_1 1022
#define IDC_GEAR_2 1023
#define IDC_GEAR_3 1024
#define IDC_GEAR_4 1025
#define IDC_GEAR_5 1026
#define IDC_GEAR_6 1027
#define IDC_GEAR_REVERSE 1028
#define IDC_GEAR_FINAL 1029
#define IDC_DIRECTION 1031
#define IDC_DOWNFORCE_LEFT 1032
#define IDC_DOWNFORCE_RIGHT 1033
#define IDC_TYRE_PRESSURE_LEFT 1034
#define IDC_TYRE_PRESSURE_RIGHT 1035
#define IDC_LAPS 1040

// Main window: list, group boxes, check boxes
#define IDC_RECORDS 1030
#define IDC_TRACKINFO_GROUP 1036
#define IDC_TUNING_GROUP 1037
#define IDC_AUTOMATIC_TRANSMISSION 1038
#define IDC_DAMAGE 1039

// About box: the icon's control (its number is IDCANCEL's; a static icon
// sends no commands)
#define IDC_ABOUT_ICON 2
