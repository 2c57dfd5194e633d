#pragma once
// What the main window asks of the window of a document, whatever the document: the File and
// Edit commands it serves, and the frame panes of the status bar.
#include <string>

#include <QString>

class QPrinter;
class QWidget;

namespace qv {

class CauseList;
class UserMessages;

// The menu commands a document window takes; the others are disabled while it is active.
struct DocumentCommands {
    bool find = false;
    bool copy = false;
    bool comment = false;
    bool filters = false;
    bool goTo = false;
    bool frames = false; // export, the analyses, Call-Ref on selection, find on the trace
};

class DocumentWindow {
public:
    virtual ~DocumentWindow() = default;

    virtual QWidget *widget() = 0;
    virtual DocumentCommands commands() const = 0;
    // A window of the document (its comment) that stands for it while that window is active.
    virtual bool owns(const QWidget *window) const {
        (void)window;
        return false;
    }
    // Save As: the file name offered and the Save dialog's filter, then the copy itself.
    virtual std::string suggestedCopyName() const = 0;
    virtual QString copyFilter() const = 0;
    virtual bool saveCopy(const std::string &path, UserMessages &messages) = 0;
    virtual void printAsked(QPrinter &printer, UserMessages &messages) = 0;
    // Shows the document's own find dialog; false when the main window's serves it.
    virtual bool findInDocument() { return false; }
    virtual void copySelected() {}
    virtual void goToAsked() {}
    virtual void showComment() {}
    virtual void editFilters(const std::string &filterFolder, const CauseList *causes,
                             UserMessages &messages) {
        (void)filterFolder;
        (void)causes;
        (void)messages;
    }
    // Shows the current frame or event in the status bar's panes; false when the document has
    // none (the panes are then cleared).
    virtual bool showFramePanes() { return false; }
};

} // namespace qv
