#include "dialogs/FontDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

#include "app/Settings.h"

namespace qv {

namespace {

// Regular, italic, bold, bold italic: the row is the style's value.
constexpr const char *kStyleNames[] = {
    QT_TRANSLATE_NOOP("qv::FontDialog", "Regular"),
    QT_TRANSLATE_NOOP("qv::FontDialog", "Italic"),
    QT_TRANSLATE_NOOP("qv::FontDialog", "Bold"),
    QT_TRANSLATE_NOOP("qv::FontDialog", "Bold Italic"),
};
constexpr int kStyleCount = static_cast<int>(std::size(kStyleNames));

bool installed(const QString &family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

bool storable(const QString &family) {
    return !family.isEmpty() &&
           family.toStdString().size() <= static_cast<std::size_t>(FontDialog::kMaxFamilyLength);
}

void selectText(QListWidget *list, const QString &text) {
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchFixedString);
    if (!found.isEmpty())
        list->setCurrentItem(found.front());
    else if (list->count() > 0 && !list->currentItem())
        list->setCurrentRow(0);
}

} // namespace

FontDialog::FontDialog(const QString &family, int pointSize, int style, QWidget *parent)
    : QDialog(parent), savedFamily_(storable(family) ? family : QString()) {
    setWindowTitle(tr("Fonts"));

    familyList_ = new QListWidget(this);
    familyList_->setObjectName(QStringLiteral("familyList"));
    styleList_ = new QListWidget(this);
    styleList_->setObjectName(QStringLiteral("styleList"));
    sizeList_ = new QListWidget(this);
    sizeList_->setObjectName(QStringLiteral("sizeList"));
    for (const char *name : kStyleNames)
        styleList_->addItem(tr(name));
    for (int size = Settings::kSmallestFontSize; size <= Settings::kLargestFontSize; ++size)
        sizeList_->addItem(QString::number(size));
    const int rowHeight = familyList_->fontMetrics().height();
    familyList_->setMinimumSize(rowHeight * 14, rowHeight * 10);
    styleList_->setMinimumWidth(rowHeight * 7);
    sizeList_->setMinimumWidth(rowHeight * 4);

    fixedOnly_ = new QCheckBox(tr("Fi&xed-pitch fonts only"), this);
    fixedOnly_->setToolTip(tr("The hexadecimal trace lines up best in a fixed-pitch font"));
    fixedOnly_->setChecked(savedFamily_.isEmpty() || !installed(savedFamily_) ||
                           QFontDatabase::isFixedPitch(savedFamily_));
    connect(fixedOnly_, &QCheckBox::toggled, this, [this] { fillFamilies(); });

    auto *grid = new QGridLayout;
    auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label(tr("&Font:"), familyList_), 0, 0);
    grid->addWidget(label(tr("Font st&yle:"), styleList_), 0, 1);
    grid->addWidget(label(tr("&Size:"), sizeList_), 0, 2);
    grid->addWidget(familyList_, 1, 0);
    grid->addWidget(styleList_, 1, 1);
    grid->addWidget(sizeList_, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);

    sample_ = new QLabel(this);
    sample_->setObjectName(QStringLiteral("sample"));
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setText(QStringLiteral("AaBbYyZz 0123456789\n00013  TE->NT  I  SETUP"));
    // The sample does not make the dialog grow with a large size.
    sample_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto *sampleGroup = new QGroupBox(tr("Sample"), this);
    sampleGroup->setMinimumHeight(rowHeight * 7);
    auto *sampleLayout = new QVBoxLayout(sampleGroup);
    sampleLayout->addWidget(sample_);

    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(fixedOnly_);
    layout->addWidget(sampleGroup);
    layout->addWidget(box);

    fillFamilies();
    selectText(familyList_, savedFamily_);
    setStyle(style >= 0 && style < kStyleCount ? style : 0);
    setPointSize(pointSize >= Settings::kSmallestFontSize && pointSize <= Settings::kLargestFontSize
                     ? pointSize
                     : Settings::kSmallestFontSize);
    for (QListWidget *list : {familyList_, styleList_, sizeList_})
        connect(list, &QListWidget::currentRowChanged, this, [this] { updateSample(); });
    updateSample();
}

void FontDialog::fillFamilies() {
    const QString current = family().isEmpty() ? savedFamily_ : family();
    familyList_->clear();
    QStringList names;
    for (const QString &name : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(name) || !storable(name))
            continue;
        if (fixedOnly_->isChecked() && !QFontDatabase::isFixedPitch(name))
            continue;
        names << name;
    }
    // A family kept in the settings but missing here is drawn with a fallback; it stays listed.
    if (!savedFamily_.isEmpty() && !installed(savedFamily_))
        names.prepend(savedFamily_);
    familyList_->addItems(names);
    if (QListWidgetItem *first = familyList_->item(0); first && !installed(first->text()))
        first->setToolTip(tr("Not installed here: the views draw with a similar font"));
    selectText(familyList_, current);
}

QString FontDialog::family() const {
    const QListWidgetItem *item = familyList_->currentItem();
    return item ? item->text() : QString();
}

int FontDialog::pointSize() const {
    return Settings::kSmallestFontSize + std::max(0, sizeList_->currentRow());
}

int FontDialog::style() const {
    return std::max(0, styleList_->currentRow());
}

QFont FontDialog::selectedFont() const {
    const int value = style();
    QFont font(family(), pointSize(), (value & 2) != 0 ? QFont::Bold : QFont::Normal,
               (value & 1) != 0);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QStringList FontDialog::families() const {
    QStringList names;
    for (int row = 0; row < familyList_->count(); ++row)
        names << familyList_->item(row)->text();
    return names;
}

QStringList FontDialog::styleNames() const {
    QStringList names;
    for (int row = 0; row < styleList_->count(); ++row)
        names << styleList_->item(row)->text();
    return names;
}

QList<int> FontDialog::sizes() const {
    QList<int> values;
    for (int row = 0; row < sizeList_->count(); ++row)
        values << sizeList_->item(row)->text().toInt();
    return values;
}

void FontDialog::setFamily(const QString &family) {
    selectText(familyList_, family);
}

void FontDialog::setStyle(int style) {
    if (style >= 0 && style < kStyleCount)
        styleList_->setCurrentRow(style);
}

void FontDialog::setPointSize(int pointSize) {
    if (pointSize >= Settings::kSmallestFontSize && pointSize <= Settings::kLargestFontSize)
        sizeList_->setCurrentRow(pointSize - Settings::kSmallestFontSize);
}

void FontDialog::setFixedPitchOnly(bool fixedOnly) {
    fixedOnly_->setChecked(fixedOnly);
}

void FontDialog::updateSample() {
    sample_->setFont(selectedFont());
}

} // namespace qv
