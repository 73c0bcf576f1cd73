#pragma once
// The four view templates: a child frame with the view of a kind, titled, the view
// registered with the document.

#include "app/CChildFrame.h"


namespace kiv {
class CKivDoc;

CChildFrame* makeViewFrame(ViewKind kind, CKivDoc& doc);

} // namespace kiv
