#include "platform/ui/CDocTemplate.h"

#include "platform/ui/CDocument.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CView.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/WindowSystem.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                           const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {
    m_strDocStrings.LoadString(nIDResource);
}

CDocTemplate::~CDocTemplate() = default;

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
    rString.Empty();
    int start = 0;
    for (int field = 0; field < static_cast<int>(index); ++field) {
        const int newline = m_strDocStrings.Find(u'\n', start);
        if (newline < 0)
            return FALSE;
        start = newline + 1;
    }
    const int end = m_strDocStrings.Find(u'\n', start);
    rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return rString.IsEmpty() ? FALSE : TRUE;
}

CDocument* CDocTemplate::CreateNewDocument() {
    if (m_pDocClass == nullptr)
        return nullptr;
    std::unique_ptr<CObject> object = m_pDocClass->CreateObject();
    auto* doc = dynamic_cast<CDocument*>(object.get());
    if (doc == nullptr)
        return nullptr;
    object.release();
    AddDocument(std::unique_ptr<CDocument>(doc));
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
    if (m_pFrameClass == nullptr)
        return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    std::unique_ptr<CObject> object = m_pFrameClass->CreateObject();
    auto* frame = dynamic_cast<CFrameWnd*>(object.get());
    if (frame == nullptr)
        return nullptr;
    std::unique_ptr<CFrameWnd> owned(frame);
    object.release();
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;  // the object goes with `owned`; its window is gone already
    // From here the frame deletes itself when its window is destroyed.
    platform::AdoptWindowObject(std::move(owned));
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
    if (pFrame != nullptr)
        pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                       const CRuntimeClass* pFrameClass,
                                       const CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() = default;

void CSingleDocTemplate::AddDocument(std::unique_ptr<CDocument> pDoc) {
    if (pDoc == nullptr)
        return;
    pDoc->m_pDocTemplate = this;
    if (m_pOnlyDoc != nullptr)
        RemoveDocument(m_pOnlyDoc.get());
    m_pOnlyDoc = std::move(pDoc);
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
    if (pDoc == nullptr || pDoc != m_pOnlyDoc.get())
        return;
    pDoc->m_pDocTemplate = nullptr;
    platform::DeleteLater(std::move(m_pOnlyDoc));
}

void CSingleDocTemplate::CloseAllDocuments(BOOL /*bEndSession*/) {
    if (m_pOnlyDoc != nullptr)
        m_pOnlyDoc->OnCloseDocument();
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    CString title;
    if (!GetDocString(title, docName))
        title = u"Untitled";
    pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
    CDocument* doc = m_pOnlyDoc.get();
    CFrameWnd* frame = nullptr;
    bool created = false;
    if (doc != nullptr) {
        // One document at a time: the present one is used again, in its frame.
        if (!doc->SaveModified())
            return nullptr;
        if (!doc->GetViews().empty())
            frame = doc->GetViews().front()->GetParentFrame();
    } else {
        doc = CreateNewDocument();
        if (doc == nullptr)
            return nullptr;
    }
    if (frame == nullptr) {
        frame = CreateNewFrame(doc, nullptr);
        if (frame == nullptr) {
            RemoveDocument(doc);
            return nullptr;
        }
        created = true;
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_pMainWnd == nullptr)
            app->m_pMainWnd = frame;
    }

    if (lpszPathName == nullptr)
        SetDefaultTitle(doc);
    const BOOL ok =
        lpszPathName == nullptr ? doc->OnNewDocument() : doc->OnOpenDocument(lpszPathName);
    if (!ok) {
        // Whoever failed has told the user. The frame goes, and with its view the document.
        if (created)
            frame->DestroyWindow();
        if (m_pOnlyDoc.get() == doc)
            RemoveDocument(doc);
        return nullptr;
    }
    if (lpszPathName != nullptr)
        doc->SetPathName(lpszPathName);
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}
