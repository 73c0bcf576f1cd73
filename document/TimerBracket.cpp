#include "document/TimerBracket.h"

#include "document/CKivDoc.h"

namespace kiv {

TimerBracket::TimerBracket(CKivDoc& doc) : doc_(doc) { doc_.HoldAnimationTimer(); }

TimerBracket::~TimerBracket() { doc_.ReleaseAnimationTimer(); }

} // namespace kiv
