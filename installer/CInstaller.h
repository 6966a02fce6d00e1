#pragma once
// What jokesetup does: writes the cabinets and the application-manager descriptor that it
// carries as resources into a folder of its own under the user's temporary folder, starts the
// application manager with the descriptor, waits until the manager has ended, and deletes what
// it wrote. It works in single-byte (UTF-8) strings.

#include <optional>
#include <string>

#include "installer/CTempFileList.h"
#include "platform/base/Resources.h"
#include "platform/desktop/Desktop.h"

inline constexpr char kCabResourceType[] = "CABFiles";
inline constexpr char kIniResourceType[] = "INIFiles";
inline constexpr char kAppManagerKey[] = "Software\\Microsoft\\Windows CE Services";
inline constexpr char kAppManagerDirValue[] = "InstalledDir";
inline constexpr char kAppManagerFile[] = "CEAppMgr.exe";
inline constexpr char kAppManagerError[] = "Unable to run CE Application Manager.";

class CInstaller {
public:
    // The resources are read from module; the operating system is reached through desktop.
    CInstaller(Desktop& desktop, HMODULE module);

    // The main routine. 0 once the manager has run, whatever it did; -1, after a message box,
    // when it could not be started or there is no private temporary folder. When an interrupt
    // or termination signal came first, the clean-up is done, InterruptSignal() names the
    // signal, and the program should end by it.
    int Run();
    int InterruptSignal() const { return m_nSignal; }

    // The application manager's path: the registry's "InstalledDir" folder (a '/' put between
    // unless it ends in one; a backslash is a plain file-name character here) followed by
    // "CEAppMgr.exe". Only a string value counts; without one the name alone is given, and the
    // program is then searched for in PATH.
    static std::string GetAppManagerPath();

    // The resource-enumeration callbacks for the two payload types; param is the installer.
    // Each writes one resource into the extraction folder under the resource's name. FALSE
    // stops the enumeration of that type.
    static BOOL ExtractCabProc(HMODULE module, const ResourceId& type, const ResourceId& name,
                               LPARAM param);
    static BOOL ExtractIniProc(HMODULE module, const ResourceId& type, const ResourceId& name,
                               LPARAM param);

    const std::string& Folder() const { return m_strFolder; }
    const std::string& IniPath() const { return m_strIniPath; }
    const CTempFileList& TempFiles() const { return m_tempFiles; }

private:
    // The resource's bytes into path, which the caller has listed; FALSE when not all written.
    BOOL WriteResource(HMODULE module, HRSRC resource, const std::string& path);
    // The manager's command line with each path quoted; nothing when the manager's path
    // cannot be put on a command line.
    std::optional<std::string> BuildCommandLine() const;
    void DeleteWrittenFiles();
    int EndByInterrupt(int signal);

    Desktop& m_desktop;
    HMODULE m_module;
    CTempFileList m_tempFiles;
    std::string m_strFolder;
    std::string m_strIniPath;
    int m_nSignal = 0;
};
