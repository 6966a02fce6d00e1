#include "reader/store/KippAppDoc.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <ctime>
#include <memory>

#include "platform/base/CArchive.h"
#include "platform/base/CAtomicFile.h"
#include "platform/base/CFile.h"
#include "platform/base/CMemFile.h"
#include "platform/base/MessageBox.h"
#include "reader/res/resource.h"
#include "reader/store/JokeArchive.h"
#include "reader/store/KippAppStore.h"

IMPLEMENT_DYNCREATE(CKippAppDoc, CDocument)

BEGIN_MESSAGE_MAP(CKippAppDoc, CDocument)
END_MESSAGE_MAP()

namespace {

// The framework's text for a file error, as the favourites message shows it.
CString ErrorText(const CException& e) {
    TCHAR buffer[260] = {};
    e.GetErrorMessage(buffer, 259);
    return CString(buffer);
}

void ShowDamagedDataFile(const CJokeFileException& e) {
    CString message;
    message.Format(IDS_DATA_FILE_DAMAGED, ErrorText(e));
    AfxMessageBox(message, MB_ICONSTOP, 0);
}

// A name beside the damaged favourites file that no file has yet.
CString DamagedFavoritesName(const CString& path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, ".damaged-%Y%m%d-%H%M%S", &local);
    CString base = path + CString::FromUtf8(stamp);
    CString candidate = base;
    for (int n = 2; std::filesystem::exists(std::filesystem::path(candidate.ToUtf8())); ++n) {
        candidate.Format(u"%s-%d", base, n);
    }
    return candidate;
}

}  // namespace

CKippAppDoc::~CKippAppDoc() {
    if (m_bFavoritesLoaded) {
        SaveFavorites();
    }
}

void CKippAppDoc::Serialize(CArchive& ar) { (void)ar; }

BOOL CKippAppDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) {
        return FALSE;
    }
    CString path;
    KippApp().GetDataFilePath(path);
    if (!LoadJokes(path)) {
        return FALSE;
    }
    LoadFavorites();
    KippApp().EndWaitCursor();
    return TRUE;
}

BOOL CKippAppDoc::LoadJokes(const CString& path) {
    CFile file;
    CFileException openError;
    if (!file.Open(path, CFile::modeRead | CFile::shareExclusive, &openError)) {
        AfxMessageBox(IDS_CANNOT_OPEN_DATA_FILE, MB_ICONSTOP);
        return FALSE;
    }
    KippApp().BeginWaitCursor();
    try {
        // One read into one buffer of the file's exact size, descrambled in place, then
        // parsed from memory.
        // Not zero-filled first: the read writes every byte.
        const auto size = static_cast<std::size_t>(file.GetLength());
        const std::unique_ptr<BYTE[]> buffer(new BYTE[size]);
        if (file.Read(buffer.get(), static_cast<UINT>(size)) != size) {
            throw CJokeFileException(0, u"the file could not be read whole");
        }
        file.Close();
        ScrambleJokesData({buffer.get(), size});
        CMemFile memory(buffer.get(), static_cast<UINT>(size), 0);
        CArchive ar(&memory, CArchive::load, 4096);
        ReadJokeArchive(ar, JokeFileKind::JokesData, m_jokes);
        ar.Close();
        memory.Close();
    } catch (const CJokeFileException& e) {
        m_jokes.RemoveAll();
        KippApp().EndWaitCursor();
        ShowDamagedDataFile(e);
        return FALSE;
    } catch (const CException& e) {
        // A read error or the memory the count asks for: the file cannot be used either.
        m_jokes.RemoveAll();
        KippApp().EndWaitCursor();
        ShowDamagedDataFile(CJokeFileException(0, ErrorText(e)));
        return FALSE;
    }
    return TRUE;
}

void CKippAppDoc::LoadFavorites() {
    CString path;
    KippApp().GetFavoritesFilePath(path);
    CFile file;
    CFileException openError;
    if (!file.Open(path, CFile::modeRead, &openError)) {
        // No file is no favourites. A file that exists but cannot be read is not ours to
        // replace at the end of the run, so it is not written back.
        m_bFavoritesLoaded = openError.m_cause == CFileException::fileNotFound;
        return;
    }
    std::optional<CJokeFileException> damage;
    try {
        CArchive ar(&file, CArchive::load, 4096);
        damage = ReadJokeArchiveSalvaging(ar, JokeFileKind::Favorites, m_favorites);
        ar.Close();
        file.Close();
    } catch (const CException& e) {
        damage = CJokeFileException(0, ErrorText(e));
        file.Abort();
    }
    m_bFavoritesLoaded = true;
    if (!damage) {
        return;
    }
    // Keep the damaged file whole under a new name; the next save writes a sound one.
    const CString kept = DamagedFavoritesName(path);
    try {
        CFile::Rename(path, kept);
    } catch (const CException&) {
        // It could not be kept aside, so it must not be overwritten either.
        m_bFavoritesLoaded = false;
    }
    CString message;
    message.Format(IDS_FAVORITES_DAMAGED, m_favorites.GetSize(),
                   m_bFavoritesLoaded ? kept : path);
    AfxMessageBox(message, MB_ICONSTOP, 0);
}

BOOL CKippAppDoc::SaveFavorites() {
    CString path;
    KippApp().GetFavoritesFilePath(path);
    if (m_favorites.GetSize() == 0) {
        // An empty list is stored as no file; a missing file is no error.
        try {
            CFile::Remove(path);
        } catch (const CException&) {
        }
        return TRUE;
    }
    // Written beside the old file and renamed over it, so that a failure at any point —
    // no space, a crash — leaves the former favourites whole.
    CAtomicFile file;
    CFileException error;
    if (!file.Open(path, &error)) {
        CString message;
        message.Format(IDS_CANNOT_CREATE_FAVORITES, ErrorText(error));
        AfxMessageBox(message, MB_ICONSTOP, 0);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store, 4096);
        WriteJokeArchive(ar, JokeFileKind::Favorites, m_favorites);
        ar.Close();
        file.Commit();
    } catch (const CException& e) {
        file.Abort();
        CString message;
        message.Format(IDS_CANNOT_CREATE_FAVORITES, ErrorText(e));
        AfxMessageBox(message, MB_ICONSTOP, 0);
        return FALSE;
    }
    return TRUE;
}
