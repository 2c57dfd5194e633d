#include "views/CommentWindow.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

namespace qv {

CommentWindow::CommentWindow(CommentText comment, const QString &title, QWidget *parent)
    : QWidget(parent, Qt::Window), comment_(std::move(comment)) {
    setWindowTitle(title);
    editor_ = new QPlainTextEdit(this);
    editor_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const std::string &original = comment_.text;
    crLf_ = original.find('\n') == std::string::npos || original.find("\r\n") != std::string::npos;
    QString shown = QString::fromLatin1(original.data(), static_cast<qsizetype>(original.size()));
    shown.remove(QLatin1Char('\r'));
    editor_->setPlainText(shown.left(comment_.maxStored));
    shown_ = editor_->toPlainText();
    connect(editor_, &QPlainTextEdit::textChanged, this, &CommentWindow::keepWithinLimit);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor_);
    resize(560, 320);
}

void CommentWindow::keepWithinLimit() {
    const QString all = editor_->toPlainText();
    const bool twice = comment_.lineEndsTwice && crLf_;
    const int lineEnds = twice ? static_cast<int>(all.count(QLatin1Char('\n'))) : 0;
    if (all.size() + lineEnds <= comment_.maxStored)
        return;
    int keep = 0;
    for (int stored = 0; keep < all.size(); ++keep) {
        stored += twice && all[keep] == QLatin1Char('\n') ? 2 : 1;
        if (stored > comment_.maxStored)
            break;
    }
    QTextCursor cursor(editor_->document());
    cursor.setPosition(keep);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

QString CommentWindow::text() const {
    return editor_->toPlainText();
}

void CommentWindow::setText(const QString &text) {
    editor_->setPlainText(text);
}

void CommentWindow::closeEvent(QCloseEvent *event) {
    // The text is stored in Latin-1, as the testers write it, with its own line ends.
    QString text = editor_->toPlainText();
    std::string stored = comment_.text;
    if (text != shown_) {
        if (crLf_)
            text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        stored = text.toLatin1().toStdString();
    }
    if (!comment_.save || comment_.save(stored))
        event->accept();
    else
        event->ignore();
}

CommentWindow *CommentSlot::open(QWidget *owner, const ChildHost &host, const Make &make) {
    if (!comment_) {
        comment_ = make(host ? nullptr : owner);
        comment_->setAttribute(Qt::WA_DeleteOnClose);
        if (host)
            host(comment_);
    }
    QWidget *shown = frame(owner);
    shown->showNormal();
    shown->raise();
    shown->activateWindow();
    comment_->setFocus();
    return comment_;
}

QWidget *CommentSlot::frame(const QWidget *owner) const {
    // A hosted comment sits in a frame of the host's; closing that frame closes the comment.
    QWidget *parent = comment_ ? comment_->parentWidget() : nullptr;
    return parent && parent != owner ? parent : comment_.data();
}

bool CommentSlot::close(const QWidget *owner) {
    return !comment_ || frame(owner)->close();
}

void CommentSlot::destroy(const QWidget *owner) {
    // The comment edits the window's document: it does not outlive it.
    if (comment_)
        delete frame(owner);
}

} // namespace qv
