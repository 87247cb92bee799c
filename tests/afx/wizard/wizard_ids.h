// Ids of the wizard test's dialog templates and controls.
#pragma once

#define IDD_FIRST 201
#define IDD_SECOND 202
#define IDC_NAME 1001
#define IDC_USE 1002
#define IDC_NOTE 1003
