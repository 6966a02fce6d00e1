#pragma once
// The base of the drawing objects. An object holds at most one resource (a bitmap, font, brush
// or pen); Create... functions give it one, DeleteObject and the destructor let it go.
//
// Handles (HGDIOBJ and its aliases) name resources for identity checks and FromHandle. As on
// the platform, a handle is only valid while its object lives; FromHandle returns that object.

#include <memory>

#include "platform/base/Types.h"

struct GdiResource;
using HGDIOBJ = GdiResource*;
using HBITMAP = HGDIOBJ;
using HFONT = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HPEN = HGDIOBJ;

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_resource.get(); }
    operator HGDIOBJ() const { return m_resource.get(); }  // NOLINT(google-explicit-constructor)

    // FALSE when the object held nothing. A context that has the resource selected keeps it.
    BOOL DeleteObject();
    // Fills a LOGFONT, BITMAP, LOGBRUSH or LOGPEN; returns the bytes written, 0 when empty or
    // when nCount is too small.
    int GetObject(int nCount, void* lpObject) const;
    // One of the platform's stock objects (WHITE_BRUSH ... SYSTEM_FONT); FALSE for others.
    BOOL CreateStockObject(int nIndex);

    // The object that holds the handle's resource, or null.
    static CGdiObject* FromHandle(HGDIOBJ hObject);

    // For device contexts and the drawing layer.
    const std::shared_ptr<GdiResource>& Resource() const { return m_resource; }
    // Takes a share of an existing resource (releasing the current one).
    void AttachResource(std::shared_ptr<GdiResource> resource);

private:
    std::shared_ptr<GdiResource> m_resource;
};

// A stock object's handle; null for an index that names none.
HGDIOBJ GetStockObject(int nIndex);
