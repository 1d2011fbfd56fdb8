#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vek {

class DocumentEntry;
class FileDialogs;

// What a document's commands need from the application.
class AppServices {
public:
    virtual ~AppServices() = default;

    virtual void OpenDocumentFile(const QString& path) = 0;
    virtual void CloseDocument(DocumentEntry& entry) = 0;
    // Runs work that may take long, keeping the window alive and every command blocked.
    virtual void RunBusy(const std::function<void()>& work) = 0;
    virtual FileDialogs& Dialogs() = 0;
    virtual QWidget* DialogParent() = 0;
};

} // namespace vek
