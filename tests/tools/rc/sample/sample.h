// Ids of the sample script.
#define IDS_QUOTES 1
#define IDS_CONTROL 2
#define IDS_UNICODE 3
#define IDS_TRAILING 4
#define IDD_SAMPLE 100
#define IDR_MENU 128
#define IDB_PICTURE 131
#define IDI_ICON 134
#define IDC_EDIT 1000
#define IDC_SPIN 1001
#ifdef RC_INVOKED
#define IDC_STATIC (-1)
#endif
