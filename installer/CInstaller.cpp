#include "installer/CInstaller.h"

#include <cstring>
#include <vector>

#include "platform/desktop/CommandLine.h"
#include "platform/desktop/InterruptGuard.h"
#include "platform/desktop/RegistryKeys.h"

CInstaller::CInstaller(Desktop& desktop, HMODULE module)
    : m_desktop(desktop), m_module(module), m_tempFiles(desktop.files) {}

int CInstaller::Run() {
    // From here on an interrupt waits until what was written can be deleted.
    InterruptGuard interrupts;

    std::string error;
    const std::string tempPath = m_desktop.files.GetTempPath(&error);
    if (tempPath.empty()) {
        m_desktop.messages.MessageBox("Unable to use a private temporary folder: " + error + ".",
                                      "Error", MB_ICONERROR | MB_OK);
        return -1;
    }
    m_strFolder = tempPath;
    if (m_strFolder.back() != '/')
        m_strFolder += '/';
    m_strFolder += "DA/";
    // An existing folder is simply used; one that cannot be made shows in the files.
    m_desktop.files.CreateDirectory(m_strFolder);

    const auto self = reinterpret_cast<LPARAM>(this);
    EnumResourceNames(m_module, kCabResourceType, ExtractCabProc, self);
    EnumResourceNames(m_module, kIniResourceType, ExtractIniProc, self);

    if (const int signal = interrupts.Take())
        return EndByInterrupt(signal);

    const std::optional<std::string> commandLine = BuildCommandLine();
    std::unique_ptr<Process> manager;
    if (commandLine)
        manager = m_desktop.processes.CreateProcess(*commandLine, &error);
    if (!manager) {
        m_desktop.messages.MessageBox(kAppManagerError, "Error", MB_ICONERROR | MB_OK);
        DeleteWrittenFiles();
        if (const int signal = interrupts.Take())
            return EndByInterrupt(signal);
        return -1;
    }

    int signal = 0;
    if (manager->Wait(&interrupts, &signal) == WAIT_INTERRUPTED) {
        // Told, the manager can end too instead of being left to run on alone.
        manager->Signal(signal);
        return EndByInterrupt(signal);
    }
    DeleteWrittenFiles();
    return 0;
}

int CInstaller::EndByInterrupt(int signal) {
    DeleteWrittenFiles();
    m_nSignal = signal;
    return 128 + signal;
}

void CInstaller::DeleteWrittenFiles() {
    m_tempFiles.DeleteAll();
    // Fails, and the folder stays, while it holds anything this run did not write.
    m_desktop.files.RemoveDirectory(m_strFolder);
}

std::optional<std::string> CInstaller::BuildCommandLine() const {
    // Quoted, so that a path with blanks still names one program and one descriptor.
    std::optional<std::string> line = QuoteCommandLineProgram(GetAppManagerPath());
    if (line && !m_strIniPath.empty())
        *line += " " + QuoteCommandLineArgument(m_strIniPath);
    return line;
}

std::string CInstaller::GetAppManagerPath() {
    std::string folder;
    HKEY key = nullptr;
    // Read access is all it takes; asking for more would fail for a user who may not write the
    // machine's settings.
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kAppManagerKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD type = REG_NONE;
        DWORD size = 0;
        LONG rc = RegQueryValueEx(key, kAppManagerDirValue, nullptr, &type, nullptr, &size);
        std::vector<BYTE> buffer;
        // The value may grow between the two calls; then ask again with the new size.
        while (rc == ERROR_SUCCESS && type == REG_SZ) {
            buffer.assign(size, 0);
            rc = RegQueryValueEx(key, kAppManagerDirValue, nullptr, &type, buffer.data(), &size);
            if (rc != ERROR_MORE_DATA)
                break;
            rc = ERROR_SUCCESS;
        }
        if (rc == ERROR_SUCCESS && type == REG_SZ) {
            const auto* text = reinterpret_cast<const char*>(buffer.data());
            folder.assign(text, strnlen(text, buffer.size()));
        }
        RegCloseKey(key);
    }
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder + kAppManagerFile;
}

BOOL CInstaller::ExtractCabProc(HMODULE module, const ResourceId& type, const ResourceId& name,
                                LPARAM param) {
    auto& self = *reinterpret_cast<CInstaller*>(param);
    const HRSRC resource = FindResource(module, name, type);
    if (resource == nullptr)
        return FALSE;
    // The resource's name is the file's name.
    const std::string path = self.m_strFolder + name.ToString();
    self.m_tempFiles.Add(path);  // before the file exists, so that a half-made one goes too
    return self.WriteResource(module, resource, path);
}

BOOL CInstaller::ExtractIniProc(HMODULE module, const ResourceId& type, const ResourceId& name,
                                LPARAM param) {
    auto& self = *reinterpret_cast<CInstaller*>(param);
    const HRSRC resource = FindResource(module, name, type);
    if (resource == nullptr)
        return FALSE;
    // With several descriptors the manager is given the last.
    self.m_strIniPath = self.m_strFolder + name.ToString();
    self.m_tempFiles.Add(self.m_strIniPath);
    return self.WriteResource(module, resource, self.m_strIniPath);
}

BOOL CInstaller::WriteResource(HMODULE module, HRSRC resource, const std::string& path) {
    const HGLOBAL loaded = LoadResource(module, resource);
    if (loaded == nullptr)
        return FALSE;
    const auto* bytes = static_cast<const BYTE*>(LockResource(loaded));
    const DWORD size = SizeofResource(module, resource);
    auto file = m_desktop.files.CreateFile(path);
    if (!file)
        return FALSE;
    const bool written = file->Write({bytes, size}) && file->Close();
    if (!written) {
        // A cut-off cabinet must not reach the manager as if it were whole.
        file.reset();
        m_desktop.files.DeleteFile(path);
        return FALSE;
    }
    return TRUE;
}
