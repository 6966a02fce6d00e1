#include "platform/desktop/Desktop.h"

#include "platform/display/sdl/messagebox/SdlMessageBox.h"

Desktop& RealDesktop() {
    static RealFileSystem files;
    static RealProcessLauncher processes;
    static StreamMessagePresenter standardError(stderr);
    static DesktopMessagePresenter messages(standardError, platform::ShowSdlMessageBox);
    static Desktop desktop{files, processes, messages};
    return desktop;
}
