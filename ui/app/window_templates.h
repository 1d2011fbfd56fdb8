#pragma once

#include <QRect>
#include <QString>

#include <functional>

namespace vek {

class CChildFrame;
class CFixedFrame;
class CMDIOutWnd;
class CMDITreeWnd;
class CSourceView;
class CVarItem;
class CVekDoc;
class DocumentEntry;
class FileDialogs;

// How each kind of window is made: the register tree window, the register list window and the
// source view of a description, and the output window. A new window is handed to the
// application (which keeps it with its document), placed, shown and made the active one.
class WindowTemplates {
public:
    using Adopt = std::function<void(CChildFrame* window, DocumentEntry* entry)>;
    // What a window's View > Register List or View > Register Tree does.
    using ShowKind = std::function<void(DocumentEntry& entry)>;
    // What Register > Plot Value does with the selected item of a document.
    using PlotValue = std::function<void(const CVarItem& item, const CVekDoc& document)>;

    WindowTemplates(CFixedFrame& frame, Adopt adopt, PlotValue plot);

    // The output window, hidden.
    CMDIOutWnd* CreateOutput(FileDialogs& dialogs);
    CMDITreeWnd* CreateTree(DocumentEntry& entry, ShowKind showList);
    CMDIOutWnd* CreateList(DocumentEntry& entry, ShowKind showTree);
    // The source view of a description that shows it already, else null.
    CSourceView* FindSource(const QString& path) const;
    CMDIOutWnd* CreateSource(CSourceView* view);

    // Where the output window goes the first time it shows: the lower third of the frame.
    QRect OutputPlacement() const;

private:
    void Show(CChildFrame* window, DocumentEntry* entry);
    QRect NextPlacement() const;

    CFixedFrame& frame_;
    Adopt adopt_;
    PlotValue plot_;
};

} // namespace vek
