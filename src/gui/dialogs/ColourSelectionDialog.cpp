#include "dialogs/ColourSelectionDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qv {

namespace {

QColor toQColor(const Rgb &rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

Rgb toRgb(const QColor &colour) {
    return {colour.red(), colour.green(), colour.blue()};
}

QIcon swatch(const QColor &colour) {
    QPixmap pixmap(28, 14);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

// A row of the preview: the colours of a summary row of that layer category, or of a
// U-interface direction, or of a found item.
enum class PreviewKind { Category, LtToNt, NtToLt, Found };
struct PreviewRow {
    PreviewKind kind;
    int category;
    const char *text;
};

constexpr PreviewRow kPreviewRows[] = {
    {PreviewKind::Category, 1,
     QT_TRANSLATE_NOOP("qv::ColourSelectionDialog", "TE->NT   Layer 1 event")},
    {PreviewKind::Category, -1,
     QT_TRANSLATE_NOOP("qv::ColourSelectionDialog", "NT->TE   Layer 1 event")},
    {PreviewKind::Category, 2,
     QT_TRANSLATE_NOOP("qv::ColourSelectionDialog", "TE->NT   Layer 2 frame")},
    {PreviewKind::Category, -2,
     QT_TRANSLATE_NOOP("qv::ColourSelectionDialog", "NT->TE   Layer 2 frame")},
    {PreviewKind::Category, 3,
     QT_TRANSLATE_NOOP("qv::ColourSelectionDialog", "TE->NT   ISDN layer 3 message")},
    {PreviewKind::Category, -3,
     QT_TRANSLATE_NOOP("qv::ColourSelectionDialog", "NT->TE   ISDN layer 3 message")},
    {PreviewKind::Category, 4,
     QT_TRANSLATE_NOOP("qv::ColourSelectionDialog", "TE->NT   X.25 packet")},
    {PreviewKind::Category, -4,
     QT_TRANSLATE_NOOP("qv::ColourSelectionDialog", "NT->TE   X.25 packet")},
    {PreviewKind::LtToNt, 0,
     QT_TRANSLATE_NOOP("qv::ColourSelectionDialog", "LT->NT   U interface")},
    {PreviewKind::NtToLt, 0,
     QT_TRANSLATE_NOOP("qv::ColourSelectionDialog", "NT->LT   U interface")},
    {PreviewKind::Found, 0, QT_TRANSLATE_NOOP("qv::ColourSelectionDialog", "Found item")},
};

} // namespace

ColourSelectionDialog::ColourSelectionDialog(const ColourTable &colours, QWidget *parent)
    : QDialog(parent), table_(colours) {
    setWindowTitle(tr("Color Selection"));
    picker_ = [this](const QColor &current, const QString &title) {
        return QColorDialog::getColor(current, this, title);
    };

    useColours_ = new QCheckBox(tr("&Use colors in the frame views"), this);
    useColours_->setChecked(table_.usesColours());
    connect(useColours_, &QCheckBox::toggled, this, &ColourSelectionDialog::setColoursUsed);

    const QString teNt = tr("TE->NT");
    const QString ntTe = tr("NT->TE");
    QGroupBox *layers =
        colourGroup(tr("ISDN frames"), {teNt, ntTe},
                    {tr("Layer 1 text"), tr("Layer 2 text"), tr("ISDN layer 3 text"),
                     tr("X.25 layer 3 text"), tr("Row background")},
                    {kTxtL1TeNt, kTxtL1NtTe, kTxtL2TeNt, kTxtL2NtTe, kTxtL3IsdnTeNt, kTxtL3IsdnNtTe,
                     kTxtL3X25TeNt, kTxtL3X25NtTe, kBkTeNt, kBkNtTe});
    QGroupBox *uInterface =
        colourGroup(tr("U interface"), {tr("LT->NT"), tr("NT->LT")},
                    {tr("Text"), tr("Row background")}, {kTxtLtNt, kTxtNtLt, kBkLtNt, kBkNtLt});
    QGroupBox *found = colourGroup(tr("Item found by a search"), {tr("Text"), tr("Background")},
                                   {QString()}, {kTxtFindItem, kBkgFindItem});

    defaultButton_ = new QPushButton(tr("&Default Colors"), this);
    defaultButton_->setAutoDefault(false);
    connect(defaultButton_, &QPushButton::clicked, this, &ColourSelectionDialog::setDefaultColours);

    preview_ = new QListWidget(this);
    preview_->setObjectName(QStringLiteral("colourPreview"));
    preview_->setSelectionMode(QAbstractItemView::NoSelection);
    preview_->setFocusPolicy(Qt::NoFocus);
    preview_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    preview_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int widest = 0;
    for (const PreviewRow &row : kPreviewRows) {
        auto *item = new QListWidgetItem(tr(row.text), preview_);
        item->setFlags(Qt::ItemIsEnabled);
        widest = std::max(widest, preview_->fontMetrics().horizontalAdvance(item->text()));
    }
    // Every sample row in view, none cut.
    const int frame = 2 * preview_->frameWidth();
    preview_->setFixedSize(widest + frame + 16,
                           preview_->sizeHintForRow(0) * preview_->count() + frame + 4);
    auto *previewGroup = new QGroupBox(tr("Preview"), this);
    auto *previewLayout = new QVBoxLayout(previewGroup);
    previewLayout->addWidget(preview_);
    previewLayout->addStretch();

    auto *left = new QVBoxLayout;
    left->addWidget(layers);
    left->addWidget(uInterface);
    left->addWidget(found);
    auto *right = new QVBoxLayout;
    right->addWidget(previewGroup, 1);
    right->addWidget(defaultButton_, 0, Qt::AlignRight);
    auto *body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);

    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(useColours_);
    layout->addLayout(body, 1);
    layout->addWidget(box);

    updateControls();
}

QGroupBox *ColourSelectionDialog::colourGroup(const QString &title, const QStringList &headings,
                                              const QStringList &labels,
                                              std::initializer_list<int> keys) {
    auto *group = new QGroupBox(title, this);
    auto *grid = new QGridLayout(group);
    for (qsizetype c = 0; c < headings.size(); ++c)
        grid->addWidget(new QLabel(headings[c], group), 0, static_cast<int>(c) + 1,
                        Qt::AlignHCenter);
    const int columns = static_cast<int>(headings.size());
    int index = 0;
    for (int key : keys) {
        const int row = index / columns;
        const int column = index % columns;
        if (column == 0 && !labels[row].isEmpty())
            grid->addWidget(new QLabel(labels[row], group), row + 1, 0);
        auto *button = new QPushButton(group);
        button->setObjectName(
            QString::fromLatin1(ColourTable::keyName(key).data(),
                                static_cast<qsizetype>(ColourTable::keyName(key).size())));
        button->setAutoDefault(false);
        titles_[static_cast<std::size_t>(key)] =
            labels[row].isEmpty() ? title + QStringLiteral(" - ") + headings[column]
                                  : labels[row] + QStringLiteral(" - ") + headings[column];
        button->setToolTip(titles_[static_cast<std::size_t>(key)]);
        connect(button, &QPushButton::clicked, this, [this, key] { pick(key); });
        buttons_[static_cast<std::size_t>(key)] = button;
        grid->addWidget(button, row + 1, column + 1);
        ++index;
    }
    groups_ << group;
    return group;
}

QPushButton *ColourSelectionDialog::colourButton(int key) const {
    return key >= 0 && key < kColourCount ? buttons_[static_cast<std::size_t>(key)] : nullptr;
}

void ColourSelectionDialog::pick(int key) {
    const QColor chosen =
        picker_(toQColor(table_.colour(key)), titles_[static_cast<std::size_t>(key)]);
    if (chosen.isValid())
        setColour(key, chosen);
}

void ColourSelectionDialog::setColour(int key, const QColor &colour) {
    if (key < 0 || key >= kColourCount || !colour.isValid())
        return;
    table_.setColour(key, toRgb(colour));
    updateControls();
}

void ColourSelectionDialog::setColoursUsed(bool used) {
    table_.setUsesColours(used);
    if (useColours_->isChecked() != used)
        useColours_->setChecked(used);
    updateControls();
}

void ColourSelectionDialog::setDefaultColours() {
    table_.resetColours();
    updateControls();
}

void ColourSelectionDialog::updateControls() {
    const bool used = table_.usesColours();
    for (QGroupBox *group : groups_)
        group->setEnabled(used);
    defaultButton_->setEnabled(used);
    for (int key = 0; key < kColourCount; ++key) {
        QPushButton *button = buttons_[static_cast<std::size_t>(key)];
        const Rgb &rgb = table_.colour(key);
        button->setIcon(swatch(toQColor(rgb)));
        button->setText(QStringLiteral("%1,%2,%3").arg(rgb.red).arg(rgb.green).arg(rgb.blue));
    }
    updatePreview();
}

void ColourSelectionDialog::updatePreview() {
    const bool used = table_.usesColours();
    for (int i = 0; i < preview_->count(); ++i) {
        const PreviewRow &row = kPreviewRows[i];
        QColor text = palette().color(QPalette::Text);
        QColor background = palette().color(QPalette::Base);
        if (row.kind == PreviewKind::Found) {
            // Without colours of its own, a found item is white on red.
            text = used ? toQColor(table_.colour(kTxtFindItem)) : QColor(Qt::white);
            background = used ? toQColor(table_.colour(kBkgFindItem)) : QColor(Qt::red);
        } else if (used) {
            Rgb rgbText, rgbBackground;
            if (row.kind == PreviewKind::Category) {
                table_.rowColours(row.category, rgbText, rgbBackground);
            } else {
                const bool toNt = row.kind == PreviewKind::LtToNt;
                rgbText = table_.colour(toNt ? kTxtLtNt : kTxtNtLt);
                rgbBackground = table_.colour(toNt ? kBkLtNt : kBkNtLt);
            }
            text = toQColor(rgbText);
            background = toQColor(rgbBackground);
        }
        preview_->item(i)->setForeground(text);
        preview_->item(i)->setBackground(background);
    }
}

} // namespace qv
