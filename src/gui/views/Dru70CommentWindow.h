#pragma once
// The comment of a DRU-70 file: the note it carries (or the note made for it) in an editor of
// at most the length the file keeps, stored after the document's question when the window
// closes.
#include <QWidget>

#include <string>

class QPlainTextEdit;

namespace qv {

class CDru70Doc;

class Dru70CommentWindow : public QWidget {
    Q_OBJECT
public:
    explicit Dru70CommentWindow(CDru70Doc &document, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    // The title of the document's comment, after its path changed.
    void updateTitle();

protected:
    // Stays open when the changed comment could not be stored.
    void closeEvent(QCloseEvent *event) override;

private:
    CDru70Doc &document_;
    QPlainTextEdit *editor_ = nullptr;
    std::string original_; // the note as read
    QString shown_;        // and as the editor first showed it
    bool crLf_ = true;     // the line ends the note uses
};

} // namespace qv
