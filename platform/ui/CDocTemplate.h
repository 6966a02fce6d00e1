#pragma once
// A document template ties a document class, a frame class and a view class to a resource id
// (its strings, menu, accelerators). The application creates documents through it: the
// document, then a frame (LoadFrame on the resource id) whose client is a view of the
// document, all three made from their runtime classes.

#include <memory>

#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/ui/CCmdTarget.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    ~CDocTemplate() override;

    // The fields of the template string (resource nIDResource), separated by new lines.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    // FALSE, with rString empty, when the field is empty or missing.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    // Null for a new document. Returns the document, or null when it could not be made (the
    // user has been told why by whoever failed).
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    // A document of the template's class, added to the template; null when the class is not
    // dynamically creatable.
    virtual CDocument* CreateNewDocument();
    // A frame for pDoc with a view of it; null (and the frame gone) when creation failed.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    // The views' initial update, then the frame shown.
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);

    // The template owns its documents.
    virtual void AddDocument(std::unique_ptr<CDocument> pDoc) = 0;
    // Gives the document up; it is deleted once no handler is running.
    virtual void RemoveDocument(CDocument* pDoc) = 0;
    virtual void CloseAllDocuments(BOOL bEndSession) = 0;

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;

protected:
    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                 const CRuntimeClass* pViewClass);

    CString m_strDocStrings;
};

class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                       const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    // A new document: the document, the frame (which becomes the main window when there is
    // none), the document's OnNewDocument, the views' initial update. When OnNewDocument
    // fails, the frame is destroyed, which ends the document too, and the result is null.
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;
    void AddDocument(std::unique_ptr<CDocument> pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    void CloseAllDocuments(BOOL bEndSession) override;
    CDocument* GetOnlyDocument() const { return m_pOnlyDoc.get(); }

protected:
    std::unique_ptr<CDocument> m_pOnlyDoc;
};
