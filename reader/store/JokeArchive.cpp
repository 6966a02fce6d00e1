#include "reader/store/JokeArchive.h"


#include "platform/base/CFile.h"

void ScrambleJokesData(std::span<BYTE> bytes) {
    // A plain loop the compiler vectorises; this runs over the whole data file at start-up.
    for (BYTE& b : bytes) {
        b ^= kJokesDataKey;
    }
}

CString CJokeFileException::ErrorText() const {
    CString text;
    text.Format(u"at byte %u, %s", static_cast<unsigned long long>(m_nOffset), m_strReason);
    return text;
}

namespace {

ULONGLONG Remaining(CArchive& ar) {
    const ULONGLONG length = ar.GetFile()->GetLength();
    const ULONGLONG position = ar.GetPosition();
    return length > position ? length - position : 0;
}

CString Reason(const char16_t* format, long long a = 0, long long b = 0) {
    CString text;
    text.Format(format, a, b);
    return text;
}

// Reads the count (and the reserved string) and checks the count against the file's size.
LONG ReadHeader(CArchive& ar, JokeFileKind kind, CString* reserved, bool salvaging) {
    const ULONGLONG countAt = ar.GetPosition();
    const ULONGLONG size = Remaining(ar);
    if (size == 0) {
        throw CJokeFileException(countAt, u"the file is empty");
    }
    if (size < 4) {
        throw CJokeFileException(countAt, u"the file ends inside the joke count");
    }
    LONG count = 0;
    ar >> count;
    if (count < 0) {
        throw CJokeFileException(countAt, Reason(u"the joke count is negative (%d)", count));
    }
    if (kind == JokeFileKind::JokesData) {
        const ULONGLONG reservedAt = ar.GetPosition();
        CString text;
        try {
            ar >> text;
        } catch (const CArchiveException&) {
            throw CJokeFileException(reservedAt, u"the file ends inside the reserved string");
        }
        if (reserved != nullptr) {
            *reserved = std::move(text);
        }
    }
    // Every joke takes at least one byte, so a count the rest of the file cannot hold is
    // damage, found before the list is allocated for it.
    if (!salvaging && static_cast<ULONGLONG>(count) > Remaining(ar)) {
        throw CJokeFileException(
            countAt, Reason(u"the joke count %d is more than the %d bytes after it can hold", count,
                            static_cast<long long>(Remaining(ar))));
    }
    return count;
}

CJokeFileException JokeCutShort(ULONGLONG at, int index, LONG count) {
    return CJokeFileException(
        at, Reason(u"joke %d of %d runs past the end of the file", index + 1, count));
}

}  // namespace

void ReadJokeArchive(CArchive& ar, JokeFileKind kind, CJokeList& jokes, CString* reserved) {
    const LONG count = ReadHeader(ar, kind, reserved, false);
    jokes.SetSize(count);
    for (int i = 0; i < count; ++i) {
        const ULONGLONG at = ar.GetPosition();
        try {
            jokes[i].Serialize(ar);
        } catch (const CArchiveException&) {
            throw JokeCutShort(at, i, count);
        }
    }
}

std::optional<CJokeFileException> ReadJokeArchiveSalvaging(CArchive& ar, JokeFileKind kind,
                                                           CJokeList& jokes) {
    jokes.RemoveAll();
    LONG count = 0;
    try {
        count = ReadHeader(ar, kind, nullptr, true);
    } catch (const CJokeFileException& e) {
        return e;
    }
    // The count may be damaged too: the list grows with what the file really holds.
    for (int i = 0; i < count; ++i) {
        const ULONGLONG at = ar.GetPosition();
        CJoke joke;
        try {
            joke.Serialize(ar);
        } catch (const CArchiveException&) {
            return JokeCutShort(at, i, count);
        }
        jokes.Add(joke);
    }
    return std::nullopt;
}

void WriteJokeArchive(CArchive& ar, JokeFileKind kind, CJokeList& jokes,
                      const CString& reserved) {
    ar << static_cast<LONG>(jokes.GetSize());
    if (kind == JokeFileKind::JokesData) {
        ar << reserved;
    }
    for (int i = 0; i < jokes.GetSize(); ++i) {
        jokes[i].Serialize(ar);
    }
}
