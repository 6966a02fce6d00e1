#include "platform/desktop/Desktop.h"

Desktop& RealDesktop() {
    static RealFileSystem files;
    static RealProcessLauncher processes;
    // A window could show these on a desktop with a display; until the toolkit has one for
    // programs without a main window, the message goes to standard error there too.
    static StreamMessagePresenter messages(stderr);
    static Desktop desktop{files, processes, messages};
    return desktop;
}
