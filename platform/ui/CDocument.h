#pragma once
// A document: the data of a document / view program, created by its document template, shown
// by its views. It lives until it is closed: when its frame closes, or when its last view goes
// (m_bAutoDelete).

#include <vector>

#include "platform/base/CString.h"
#include "platform/ui/CCmdTarget.h"

class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override = default;

    // The framework's own new-document step: empties the document and clears its modified
    // flag. Overrides call it first and fail when it fails.
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize with a loading archive. A file that cannot be opened or
    // read is reported in a message box and gives FALSE, with the document emptied.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual void DeleteContents() {}
    // Destroys the frames of its views, empties it, and lets its template delete it.
    virtual void OnCloseDocument();
    // Whether the document may be closed; it asks nobody here, as this platform's programs
    // never mark a document modified for saving.
    virtual BOOL SaveModified() { return TRUE; }
    virtual BOOL CanCloseFrame(CFrameWnd* /*pFrame*/) { return SaveModified(); }

    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // The views, in the order they were added.
    virtual void AddView(CView* pView);
    virtual void RemoveView(CView* pView);
    const std::vector<CView*>& GetViews() const { return m_viewList; }
    // OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    // After a view came or went: a document without views closes itself when m_bAutoDelete.
    virtual void OnChangedViewList();

    // Commands reach the document after its view; it passes them on to its template.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra,
                  AFX_CMDHANDLERINFO* pHandlerInfo = nullptr) override;

    BOOL m_bAutoDelete = TRUE;
    CDocTemplate* m_pDocTemplate = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bModified = FALSE;
    CString m_strTitle;
    CString m_strPathName;
    std::vector<CView*> m_viewList;
    bool m_bClosing = false;
};
