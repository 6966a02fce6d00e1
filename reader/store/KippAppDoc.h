#pragma once
// The reader's one document: the jokes, read once from the jokes data file, and the user's
// favourites, read from the favourites file and written back when the document goes.

#include "platform/ui/CDocument.h"
#include "reader/store/Joke.h"

class CKippAppDoc : public CDocument {
    DECLARE_DYNCREATE(CKippAppDoc)
public:
    CKippAppDoc() = default;
    // Writes the favourites back (or deletes their file when the list is empty) — but only if
    // they were loaded: a document that never read the favourites must not replace them.
    ~CKippAppDoc() override;

    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;

    // Reads the favourites file; a missing file is no favourites, silently. A damaged file
    // gives the favourites that read whole, and is kept aside under a new name.
    void LoadFavorites();
    // Replaces the favourites file atomically, or deletes it for an empty list. FALSE, after
    // telling the user, when it could not be written; the former file is then left whole.
    BOOL SaveFavorites();

    CJokeList m_jokes;
    CJokeList m_favorites;

    DECLARE_MESSAGE_MAP()

private:
    BOOL LoadJokes(const CString& path);

    bool m_bFavoritesLoaded = false;
};
