// Resource identifiers of the screen saver. Plain #defines: the resource compiler reads this file too.
#pragma once

// Windows shows string 1 as the screen saver's name in its list.
#define IDS_SAVER_DESCRIPTION 1
#define IDS_SAVER_CYCLE 9
#define IDS_SAVER_USAGE 10
#define IDS_SAVER_TITLE 11

#define IDD_SAVER_SETTINGS 201

#define IDC_SAVER_LINES 1101
#define IDC_SAVER_STYLE 1102
#define IDC_SAVER_BUBBLES 1103
#define IDC_SAVER_COUNT 1104
#define IDC_SAVER_GRAVITY 1105
#define IDC_SAVER_YEAST 1106
