#pragma once
// A document: the data of a document / view program, created by its document template.

#include "platform/base/CString.h"
#include "platform/ui/CCmdTarget.h"

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override = default;

    // The framework's own new-document step: empties the document and clears its modified
    // flag. Overrides call it first and fail when it fails.
    virtual BOOL OnNewDocument();
    virtual void DeleteContents() {}

    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bModified = FALSE;
    CString m_strTitle;
};
