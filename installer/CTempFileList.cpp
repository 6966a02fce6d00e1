#include "installer/CTempFileList.h"

#include "platform/desktop/FileSystem.h"

void CTempFileList::DeleteAll() {
    for (const auto& path : m_paths)
        m_files.DeleteFile(path);
}
