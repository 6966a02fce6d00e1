// jokesetup: puts the reader on a device through the application manager. Its command line is
// not read.

#include <cstdlib>

#include "JokesetupResources.h"
#include "installer/CInstaller.h"
#include "platform/desktop/Com.h"
#include "platform/desktop/InterruptGuard.h"

int main() {
    CoInitialize(nullptr);
    std::atexit(CoUninitialize);
    int status = 0;
    int signal = 0;
    {
        CInstaller installer(RealDesktop(), &JokesetupResources());
        status = installer.Run();
        signal = installer.InterruptSignal();
    }
    if (signal != 0)
        InterruptGuard::RaiseDefault(signal);
    return status;
}
