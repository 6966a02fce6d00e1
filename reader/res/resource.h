// Resource ids of the reader, shared by the resource scripts and the C++ code.

// Dialogs
#define IDD_ABOUTBOX 100
#define IDD_JOKEPAD_FORM 101
#define IDD_FAVORITES 130
#define IDD_SELECT_FONT 135

// The main frame's menu, accelerator table and document template string
#define IDR_MAINFRAME 128

// Pictures
#define IDB_ABOUT 131
#define IDI_JOKEPAD 134

// Controls; the joke view, the counter and the navigation buttons mean the same in the form
// and in the Favorites dialog, the number field and its spin the same in the form and in the
// font dialog (where the number is the size in points).
#define IDC_JOKE_VIEW 1000
#define IDC_PREVIOUS 1001
#define IDC_NEXT 1002
#define IDC_ADD_FAVORITE 1003
#define IDC_VIEW_FAVORITES 1004
#define IDC_COUNTER 1005
#define IDC_RANDOM 1006
#define IDC_DELETE 1007
#define IDC_FACE_NAME 1010
#define IDC_SPIN 1011
#define IDC_NUMBER 1012

// Commands
#define ID_FILE_FONT 32771

// Messages of the reader's own; their ids lie in the framework's range.
#define IDS_CANNOT_OPEN_DATA_FILE 61204
#define IDS_CANNOT_CREATE_FAVORITES 61205
#define IDS_NO_FAVORITES 61206
// A damaged jokes data file or favourites file: no message of the old program covered them.
#define IDS_DATA_FILE_DAMAGED 61207
#define IDS_FAVORITES_DAMAGED 61208
// The company key the settings live under (Software\<company>\<program>); an edition sold
// under another name gives its own in its script.
#define IDS_COMPANY_KEY 61209

// The framework's own ids that the scripts name. C++ code takes them from the platform's
// headers, which define them as constants of these values.
#ifdef RC_INVOKED
#define IDC_STATIC (-1)
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define AFX_IDS_IDLEMESSAGE 57345
#define ID_INDICATOR_CAPS 59137
#define AFX_IDS_SCCLOSE 61190
#define AFX_IDS_SCTASKLIST 61203
#endif
