#include "views/PlmModel.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

#include "plm/CPlm45Doc.h"
#include "plm/PlmColumns.h"

namespace qv {

namespace {

constexpr const char *kTitlesContext = "qv::PlmModel";
constexpr const char *kWordsContext = "qv::PlmWords";

// By column index, as the settings number them; the English ones are the tester's titles.
constexpr const char *kTitles[] = {
    QT_TRANSLATE_NOOP("qv::PlmModel", "Line num."),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Velocity"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Impedance"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Pairs"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Cable Type"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Used Pins"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Wire Resist."),
    QT_TRANSLATE_NOOP("qv::PlmModel", "L. open pair"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "L. short pair"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Resist. Wire"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Power1"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Power1L"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Power2"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Power2L"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Tx Act."),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Rx Act."),
    QT_TRANSLATE_NOOP("qv::PlmModel", "ISDN data"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "L. open value"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "L. short value"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "DC Wire Resist."),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Tx Term."),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Rx Term."),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Wires open"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Short "),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Order"),
    QT_TRANSLATE_NOOP("qv::PlmModel", "Split pairs"),
};
static_assert(std::size(kTitles) == kPlmColumnCount);

// The document asks for these by their English spelling; listed here for the translators.
constexpr const char *kWords[] = {
    QT_TRANSLATE_NOOP("qv::PlmWords", "not meas."), QT_TRANSLATE_NOOP("qv::PlmWords", "no"),
    QT_TRANSLATE_NOOP("qv::PlmWords", "yes"),       QT_TRANSLATE_NOOP("qv::PlmWords", "none"),
    QT_TRANSLATE_NOOP("qv::PlmWords", "spikes"),    QT_TRANSLATE_NOOP("qv::PlmWords", "low"),
    QT_TRANSLATE_NOOP("qv::PlmWords", "hi-Z"),      QT_TRANSLATE_NOOP("qv::PlmWords", "flat"),
    QT_TRANSLATE_NOOP("qv::PlmWords", "tp"),        QT_TRANSLATE_NOOP("qv::PlmWords", "quad"),
    QT_TRANSLATE_NOOP("qv::PlmWords", "custom"),
};
static_assert(std::size(kWords) == std::size(kPlmDisplayWords));

QString latin1(const std::string &text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString plmColumnTitle(int column) {
    if (column < 0 || column >= kPlmColumnCount)
        return QStringLiteral("?");
    return QCoreApplication::translate(kTitlesContext, kTitles[static_cast<std::size_t>(column)]);
}

PlmWords plmWords() {
    return [](const char *english) {
        // The cells are single-byte like the tester's own texts; a translation outside Latin-1
        // would come back as question marks, so it is not taken.
        const QString word = QCoreApplication::translate(kWordsContext, english);
        const QByteArray bytes = word.toLatin1();
        if (QString::fromLatin1(bytes) != word)
            return std::string(english);
        return bytes.toStdString();
    };
}

PlmModel::PlmModel(const CPlm45Doc &document, const PlmColumns &columns, QObject *parent)
    : QAbstractTableModel(parent), document_(document), layout_(columns),
      columns_(columns.shownColumns()) {}

int PlmModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : document_.lineCount();
}

int PlmModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant PlmModel::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= document_.lineCount())
        return {};
    const int column = columnAt(index.column());
    if (column < 0)
        return {};
    return latin1(document_.line(index.row()).cells[static_cast<std::size_t>(column)]);
}

QVariant PlmModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const int column = columnAt(section);
    return column < 0 ? QVariant() : QVariant(plmColumnTitle(column));
}

int PlmModel::columnAt(int section) const {
    return section >= 0 && section < static_cast<int>(columns_.size())
               ? columns_[static_cast<std::size_t>(section)]
               : -1;
}

int PlmModel::sectionOf(int column) const {
    const auto at = std::find(columns_.begin(), columns_.end(), column);
    return at == columns_.end() ? -1 : static_cast<int>(at - columns_.begin());
}

void PlmModel::takeColumns() {
    beginResetModel();
    columns_ = layout_.shownColumns();
    endResetModel();
}

} // namespace qv
