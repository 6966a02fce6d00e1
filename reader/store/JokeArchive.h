#pragma once
// The archive layout shared by the jokes data file and the favourites file: a 32-bit count and
// that many joke texts, each one archive string. The jokes data file has one reserved string
// between the count and the jokes, and its bytes are scrambled with a one-byte key; the
// favourites file is plain.

#include <optional>
#include <span>

#include "platform/base/CArchive.h"
#include "platform/base/CException.h"
#include "reader/store/Joke.h"

inline constexpr BYTE kJokesDataKey = 0xA7;

// XORs every byte with the key; scrambling is its own inverse.
void ScrambleJokesData(std::span<BYTE> bytes);

enum class JokeFileKind {
    JokesData,  // count, reserved string, jokes
    Favorites,  // count, jokes
};

// A file that does not hold what its layout promises. The offset is the byte where the fault
// was found; the reason says what was wrong there, in words a user can act on.
class CJokeFileException : public CException {
public:
    CJokeFileException(ULONGLONG offset, CString reason)
        : m_nOffset(offset), m_strReason(std::move(reason)) {}

    ULONGLONG m_nOffset;
    CString m_strReason;

protected:
    CString ErrorText() const override;
};

// Reads the whole layout into `jokes` (sized once to the count). The count is checked against
// the bytes left in the file before anything is allocated: a negative count, or one that the
// rest of the file cannot hold (every joke takes at least one byte), is a damaged file.
// Throws CJokeFileException. Bytes after the last joke are not read. `reserved`, when given,
// receives the reserved string of a jokes data file.
void ReadJokeArchive(CArchive& ar, JokeFileKind kind, CJokeList& jokes, CString* reserved = nullptr);

// As ReadJokeArchive, but keeps every joke that reads whole when the file is damaged: `jokes`
// then holds those, and the fault is returned. Empty result: the file was sound.
std::optional<CJokeFileException> ReadJokeArchiveSalvaging(CArchive& ar, JokeFileKind kind,
                                                           CJokeList& jokes);

// Writes the layout in the Unicode string form.
void WriteJokeArchive(CArchive& ar, JokeFileKind kind, CJokeList& jokes,
                      const CString& reserved = CString());
