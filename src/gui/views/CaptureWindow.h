#pragma once
// The window of an open capture: the frame summary above, the protocol detail and the
// hexadecimal trace of the selected frame below.
#include <QWidget>

#include <memory>

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
