#pragma once
// The services through which the document and the dialogs reach the user and the clock. The
// application builds the Qt implementations (kiv_platform_ui); tests build scripted ones
// (tests/support). Passed by reference, never global.

#include "platform/Bell.h"
#include "platform/Clock.h"
#include "platform/ColorDialogs.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/WaitCursor.h"

namespace kiv {

struct UiServices {
    MessageBoxes& messages;
    FileDialogs& files;
    ColorDialogs& colors;
    Cursors& cursors;
    Clock& clock;
    Bell& bell;
};

} // namespace kiv
