#pragma once
// One joke: its whole text, serialised as one archive string and nothing else.

#include "platform/base/CArray.h"
#include "platform/base/CObject.h"
#include "platform/base/CString.h"

class CJoke : public CObject {
    DECLARE_SERIAL(CJoke)
public:
    CJoke() = default;
    CJoke(const CJoke& other) : CObject(), m_text(other.m_text) {}
    CJoke& operator=(const CJoke& other) {
        m_text = other.m_text;
        return *this;
    }
    ~CJoke() override = default;

    // Reads or writes m_text alone: no schema, no class information, no length of its own.
    void Serialize(CArchive& ar) override;

    CString m_text;
};

using CJokeList = CArray<CJoke, CJoke&>;
