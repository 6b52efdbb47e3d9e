#pragma once

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_FORM 101

// Main frame: menu, accelerators, icon, document-template string
#define IDR_MAINFRAME 128

// Bitmaps
#define IDB_LINK 131
#define IDB_TITLE 132

// Controls
#define IDC_SPIN_N 1000
#define IDC_EDIT_N 1001
#define IDC_CALC 1002
#define IDC_TBMP 1003
#define IDC_BMPURL 1004

// Commands
#define ID_EDIT_SELALL 32771
#define ID_FILE_EXPORT 32772
#define ID_EDIT_COPY_SYSTEM 32773

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
