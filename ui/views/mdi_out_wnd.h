#pragma once

#include "ui/frame/child_frame.h"

namespace vek {

class ReadOnlyTextView;

// The window of a read-only text view: the output window, a register list window or a source
// view. The output window lives for the whole run: closing it hides it, and it comes back at
// the place it had.
class CMDIOutWnd : public CChildFrame {
    Q_OBJECT

public:
    CMDIOutWnd(WindowKind kind, ReadOnlyTextView* view, CommandTarget* document);

    ReadOnlyTextView& View() const { return *view_; }
    CommandTarget* ActiveView() override;
    // Shows the window where it was when it was hidden.
    void ShowAtPlacement();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SavePlacement();

    ReadOnlyTextView* view_;
    QRect placement_;
    Qt::WindowStates placementState_ = Qt::WindowNoState;
    bool placed_ = false;
};

} // namespace vek
