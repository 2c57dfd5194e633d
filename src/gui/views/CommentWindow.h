#pragma once
// The comment of a capture: its notes in an editor of at most 2048 characters, stored (after
// the document's question) when the window closes.
#include <QWidget>

#include <string>

class QPlainTextEdit;

namespace qv {

class CDecodeDoc;

class CommentWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxCharacters = 2048;

    CommentWindow(CDecodeDoc &document, const QString &captureTitle, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);

protected:
    // Stays open when the changed comment could not be stored.
    void closeEvent(QCloseEvent *event) override;

private:
    CDecodeDoc &document_;
    QPlainTextEdit *editor_ = nullptr;
    std::string original_; // the notes as read
    QString shown_;        // and as the editor first showed them
    bool crLf_ = true;     // the line ends the notes use
};

} // namespace qv
