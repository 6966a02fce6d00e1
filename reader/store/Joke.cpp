#include "reader/store/Joke.h"

#include "platform/base/CArchive.h"

IMPLEMENT_SERIAL(CJoke, CObject, 1)

void CJoke::Serialize(CArchive& ar) {
    if (ar.IsLoading()) {
        ar >> m_text;
    } else {
        ar << m_text;
    }
}
