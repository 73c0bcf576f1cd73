#pragma once
// An MDI child frame around one view. Closing it, by its close box or by the document, has the
// view leave the document at once; the frame and view are deleted later by Qt.

#include "document/DocumentViews.h"
#include "platform/CommandMap.h"

#include <QMdiSubWindow>

#include <functional>

namespace kiv {

class CChildFrame : public QMdiSubWindow {
public:
    struct View {
        QWidget* widget;
        const void* port;                       // the document's pointer to the view, to find it
        const kiv::CommandMap* commands;
        std::function<void()> unregister;
    };

    CChildFrame(kiv::ViewKind kind, View view, QWidget* parent = nullptr);

    kiv::ViewKind Kind() const { return kind_; }
    const void* Port() const { return view_.port; }
    const kiv::CommandMap* Commands() const { return view_.commands; }
    // Called after the view has left the document.
    std::function<void(CChildFrame*)> onClosed;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    kiv::ViewKind kind_;
    View view_;
};

} // namespace kiv
