#pragma once
// Everything the drawing layer offers, in one include.

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CGdiObject.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/Color.h"
#include "platform/gdi/EnumFontFamilies.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/GdiStructs.h"
#include "platform/gdi/Geometry.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/gdi/SystemMetrics.h"
