#pragma once
// The events of a DRU-70 file as a Qt model: a row per event the event filter shows, the shown
// columns in their display order, texts made when a row is first painted and then kept. Without
// a filter row n is event n, so that a file of a million events opens at once; with one the rows
// are the events shown, found a stretch at a time as the view scrolls towards the end.
#include <QColor>
#include <QHash>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

#include "base/UserMessages.h"

#include "views/FilteredRowsModel.h"

namespace qv {

class CDru70Decode;
class CDru70Doc;
class ColourTable;
class Dru70Columns;
class DocumentStatus;

// The title of a DRU-70 column as the user reads it; the settings keep the English one.
QString dru70ColumnTitle(int column);

// The messages of a DRU-70 document: passed on to the user, except while events are read aside,
// when a damaged event must not raise a message box for every row painted.
class Dru70Messages : public UserMessages {
public:
    explicit Dru70Messages(UserMessages &user) : user_(user) {}
    void show(const std::string &text, const std::string &caption, MessageIcon icon) override;
    MessageAnswer ask(const std::string &text, const std::string &caption, MessageButtons buttons,
                      MessageAnswer defaultAnswer) override;
    UserMessages &user() { return user_; }

private:
    friend class Dru70Aside;
    UserMessages &user_;
    int asides_ = 0;
};

// Reads events out of the document's order (rows, finds, prints) for as long as it lives: the
// document's current event stays current, the status bar keeps its texts, failures stay quiet.
// Asides nest; the outermost one puts things back.
class Dru70Aside {
public:
    Dru70Aside(CDru70Decode &reader, Dru70Messages &messages);
    ~Dru70Aside();
    Dru70Aside(const Dru70Aside &) = delete;
    Dru70Aside &operator=(const Dru70Aside &) = delete;

private:
    CDru70Decode &reader_;
    Dru70Messages &messages_;
    DocumentStatus *status_ = nullptr;
};

class Dru70EventModel : public FilteredRowsModel {
    Q_OBJECT
public:
    Dru70EventModel(CDru70Doc &document, Dru70Messages &messages, const Dru70Columns &columns,
                    const ColourTable &colours, QObject *parent = nullptr);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The event of a row.
    std::uint32_t eventAt(int row) const { return itemAt(row); }
    // The DRU-70 column shown at a view section, and the section of a column (-1: hidden).
    int columnAt(int section) const;
    int sectionOf(int column) const;
    // The shown columns, after the layout changed; the rows are made again.
    void takeColumns();
    // Starts again after the document's filter changed.
    void refilter();
    // Rows made again with the colours as they are now.
    void refreshRows();
    // The cell of the last find's hit, drawn in the find colours; none when event is negative.
    void markFound(std::int64_t event, int column);

private:
    struct Row {
        QStringList cells;
        QColor text, background;
    };
    const Row &row(int rowNumber) const;
    std::uint32_t itemCount() const override;
    bool itemShown(std::uint32_t event, bool &nothingAfter) override;
    // The reader's current event is put aside while the filtered rows are looked for.
    void stretchStarts() override;
    void stretchEnds() override;

    CDru70Doc &document_;
    Dru70Messages &messages_;
    const Dru70Columns &layout_;
    const ColourTable &colours_;
    std::vector<int> columns_;
    mutable QHash<std::uint32_t, Row> cache_;
    std::optional<Dru70Aside> aside_;
    std::int64_t foundEvent_ = -1;
    int foundColumn_ = -1;
};

} // namespace qv
