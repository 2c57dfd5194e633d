#pragma once
// The comment of a document (a capture's notes, a DRU-70 file's note) in an editor that holds no
// more than the file keeps, stored after the document's question when the window closes; and the
// slot through which a document window opens, hosts and closes its comment.
#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>

class QPlainTextEdit;

namespace qv {

// What the window edits, as its document gives it.
struct CommentText {
    std::string text;           // as read: Latin-1, with the file's line ends
    int maxStored = 2048;       // the characters the file keeps
    bool lineEndsTwice = false; // a line end takes two of them (CR LF) when the text uses CR LF
    // Asks, then stores; false keeps the window open (the change could not be stored).
    std::function<bool(const std::string &text)> save;
};

class CommentWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxCharacters = 2048;

    CommentWindow(CommentText comment, const QString &title, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);

protected:
    // Stays open when the changed comment could not be stored.
    void closeEvent(QCloseEvent *event) override;

private:
    // What is typed or pasted beyond what the file keeps is cut.
    void keepWithinLimit();

    CommentText comment_;
    QPlainTextEdit *editor_ = nullptr;
    QString shown_;    // the text as the editor first showed it
    bool crLf_ = true; // the line ends the text uses
};

// A document window's comment: made on first use, in a frame of the host's when the window's
// children are hosted, closed (and so stored) before the window closes, and never left behind.
class CommentSlot {
public:
    using ChildHost = std::function<void(QWidget *)>;
    using Make = std::function<CommentWindow *(QWidget *parent)>;

    // Shows the comment, making it with make (parent owner, or none when hosted) the first time.
    CommentWindow *open(QWidget *owner, const ChildHost &host, const Make &make);
    CommentWindow *window() const { return comment_; }
    // Whether window is the comment: it then stands for its document.
    bool shows(const QWidget *window) const {
        return comment_ && static_cast<const QWidget *>(comment_.data()) == window;
    }
    // The window that shows the comment: the host's frame around it, or the comment itself.
    QWidget *frame(const QWidget *owner) const;
    // False when the comment stays open.
    bool close(const QWidget *owner);
    // The comment goes with its document window.
    void destroy(const QWidget *owner);

private:
    QPointer<CommentWindow> comment_;
};

} // namespace qv
