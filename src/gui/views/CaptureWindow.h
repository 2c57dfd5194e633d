#pragma once
// The window of an open capture: the frame summary above, the protocol detail and the
// hexadecimal trace of the selected frame below.
#include <QStringList>
#include <QWidget>

#include <memory>

class QAbstractItemModel;
class QListWidget;
class QPlainTextEdit;
class QTableView;

namespace qv {

class CDecodeDoc;
class ColourTable;
class SummaryFieldTable;
class SummaryModel;

class CaptureWindow : public QWidget {
    Q_OBJECT
public:
    CaptureWindow(std::unique_ptr<CDecodeDoc> document, const SummaryFieldTable &columns,
                  const ColourTable &colours, bool showHexa, QWidget *parent = nullptr);
    ~CaptureWindow() override;

    CDecodeDoc &document() { return *document_; }
    // Makes frame the current one: selected in the summary, shown in the detail and hexa trace.
    void selectFrame(int frame);

    // What the three panes show, as a user reads it.
    const QAbstractItemModel *summaryModel() const;
    QStringList detailTexts() const;
    QString hexaText() const;

private:
    void showFrame(int frame);

    std::unique_ptr<CDecodeDoc> document_;
    const ColourTable &colours_;
    SummaryModel *model_ = nullptr;
    QTableView *summary_ = nullptr;
    QListWidget *detail_ = nullptr;
    QPlainTextEdit *hexa_ = nullptr;
};

} // namespace qv
