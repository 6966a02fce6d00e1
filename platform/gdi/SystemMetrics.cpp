#include "platform/gdi/SystemMetrics.h"

int GetSystemMetrics(int nIndex) {
    switch (nIndex) {
        case SM_CXSCREEN:
            return 240;
        case SM_CYSCREEN:
            return 320;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
            return 13;
        case SM_CYCAPTION:
        case SM_CYMENU:
            return 26;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return 1;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return 3;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        // The work area between the top bar and the command bar.
        case SM_CXFULLSCREEN:
            return 240;
        case SM_CYFULLSCREEN:
            return 268;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
            return 4;
        default:
            return 0;  // no mouse, not a debug system
    }
}
