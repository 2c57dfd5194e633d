#include "dialogs/ProductDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Settings.h"
#include "dialogs/ProductPictures.h"

namespace qv {

namespace {

// The variants each product comes in, and what it is for. Variant names are model names and
// stay as they are in every language.
struct ProductText {
    int product;
    const char *variants[2];
    const char *description;
};

constexpr ProductText kProductTexts[] = {
    {0,
     {"DRU-70 2B1Q", "DRU-70 4B3T"},
     QT_TRANSLATE_NOOP("qv::ProductDialog",
                       "U-interface monitor placed on the line between the exchange and the "
                       "NT1. It records the line's maintenance events: EOC messages, errors, "
                       "power supply and activation, in real time or into its own memory to be "
                       "fetched afterwards. Its files (*.dru) open in Examine mode.")},
    {1,
     {"LVT-3 S+U 2B1Q / 4B3T", nullptr},
     QT_TRANSLATE_NOOP("qv::ProductDialog",
                       "Compact basic-rate tester for the S/T and U interfaces. Its D-channel "
                       "captures (LAPD, call control, X.25) open in Examine mode, its stored "
                       "test results in View Results mode.")},
    {2,
     {"LVT-30 S/T", "LVT-30U 2B1Q / 4B3T"},
     QT_TRANSLATE_NOOP("qv::ProductDialog",
                       "Basic-rate ISDN tester for the S/T interface (LVT-30) or the U "
                       "interface (LVT-30U). It captures the D channel on site or in real time "
                       "over the serial link; captures open in Examine mode, test results in "
                       "View Results mode.")},
    {3,
     {"LVT-60 S/T + PRA", "LVT-60U 2B1Q / 4B3T"},
     QT_TRANSLATE_NOOP("qv::ProductDialog",
                       "ISDN tester for basic and primary rate access. Besides call control and "
                       "X.25 it captures the V5.1/V5.2 signalling between an access network and "
                       "its exchange, decoded as such when V5 decoding is on.")},
    {4,
     {"PLM-45", nullptr},
     QT_TRANSLATE_NOOP("qv::ProductDialog",
                       "Line measurement set for copper pairs. Its measurements are kept in "
                       "projects, fetched over the serial link and shown as tables in View "
                       "Results mode (*.plm).")},
    {5,
     {"KSM-2 S0", nullptr},
     QT_TRANSLATE_NOOP("qv::ProductDialog",
                       "ISDN protocol monitor for the S0 interface. Its captures (*.mon) share "
                       "the LVT file layout and open in Examine mode.")},
    {6,
     {"KSE-400 S0 / S2M", nullptr},
     QT_TRANSLATE_NOOP("qv::ProductDialog",
                       "ISDN protocol monitor for basic and primary rate access (S0 and S2M). "
                       "Its captures (*.mon) share the LVT file layout and open in Examine "
                       "mode.")},
};

constexpr int kTilePicture = 72;
constexpr int kTileWidth = 176;
constexpr int kTilesPerRow = 4;
// Flat tiles; the selected one in the selection colours.
constexpr const char *kTileStyle =
    "QToolButton { border: 1px solid transparent; border-radius: 4px; padding: 4px; }"
    "QToolButton:hover { border-color: palette(mid); }"
    "QToolButton:checked { background: palette(highlight); color: palette(highlighted-text); }";
constexpr int kLargePicture = 128;

const ProductText &textOf(int product) {
    for (const ProductText &text : kProductTexts)
        if (text.product == product)
            return text;
    return kProductTexts[kProductLvt30];
}

QString variantLines(const ProductText &text, const QString &separator) {
    QStringList lines;
    for (const char *variant : text.variants)
        if (variant)
            lines << QString::fromLatin1(variant);
    return lines.join(separator);
}

// Names such as X.25 or V5.1/V5.2 are not broken across lines: a word joiner follows each of
// their dots and slashes.
QString keepNamesWhole(QString text) {
    static const QRegularExpression dottedName(QStringLiteral("\\S*\\.\\d\\S*"));
    for (qsizetype from = 0;;) {
        const QRegularExpressionMatch match = dottedName.match(text, from);
        if (!match.hasMatch())
            return text;
        QString name = match.captured();
        name.replace(QLatin1Char('.'), QStringLiteral(".\u2060"))
            .replace(QLatin1Char('/'), QStringLiteral("/\u2060"));
        text.replace(match.capturedStart(), match.capturedLength(), name);
        from = match.capturedStart() + name.size();
    }
}

} // namespace

ProductDialog::ProductDialog(int product, bool v5Decoding, QWidget *parent)
    : QDialog(parent), v5Wanted_(v5Decoding && product == kProductLvt60) {
    setWindowTitle(tr("Product Selection"));

    // The products as tiles, four a row: picture above, variants below.
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("products"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setBackgroundRole(QPalette::Base);
    panel->setAutoFillBackground(true);
    panel->setStyleSheet(QString::fromLatin1(kTileStyle));
    auto *grid = new QGridLayout(panel);
    products_ = new QButtonGroup(this);
    products_->setExclusive(true);
    int tile = 0;
    for (const ProductInfo &info : kProducts) {
        auto *button = new QToolButton(panel);
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIcon(QIcon(productPicture(info.value, kTilePicture)));
        button->setIconSize(QSize(kTilePicture, kTilePicture));
        button->setText(variantLines(textOf(info.value), QStringLiteral("\n")));
        button->setToolTip(QString::fromLatin1(info.name));
        button->setFocusPolicy(Qt::StrongFocus);
        button->setMinimumWidth(kTileWidth);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        products_->addButton(button, info.value);
        grid->addWidget(button, tile / kTilesPerRow, tile % kTilesPerRow);
        ++tile;
    }
    for (int column = 0; column < kTilesPerRow; ++column)
        grid->setColumnStretch(column, 1);

    auto *about = new QGroupBox(tr("Description"), this);
    picture_ = new QLabel(about);
    picture_->setFixedSize(kLargePicture, kLargePicture);
    description_ = new QLabel(about);
    description_->setObjectName(QStringLiteral("description"));
    description_->setWordWrap(true);
    description_->setTextFormat(Qt::RichText);
    description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description_->setMinimumHeight(kLargePicture);
    auto *aboutLayout = new QHBoxLayout(about);
    aboutLayout->addWidget(picture_, 0, Qt::AlignTop);
    aboutLayout->addWidget(description_, 1);

    v5_ = new QCheckBox(tr("&V5 decoding (V5.1/V5.2 captures)"), this);
    v5_->setToolTip(tr("Only the LVT-60 captures V5 signalling"));
    connect(v5_, &QCheckBox::toggled, this, [this](bool on) {
        if (v5_->isEnabled())
            v5Wanted_ = on;
    });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Choose the instrument the PC works with:"), this));
    layout->addWidget(panel);
    layout->addWidget(about);
    layout->addWidget(v5_);
    layout->addWidget(buttons);

    connect(products_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            showSelected();
    });
    setProduct(findProduct(product) ? product : kProductLvt30);
}

int ProductDialog::product() const {
    const int checked = products_->checkedId();
    return checked >= 0 ? checked : kProductLvt30;
}

bool ProductDialog::v5Decoding() const {
    return v5Choosable() && v5_->isChecked();
}

bool ProductDialog::v5Choosable() const {
    return product() == kProductLvt60;
}

void ProductDialog::setProduct(int product) {
    if (QAbstractButton *button = products_->button(product))
        button->setChecked(true);
}

void ProductDialog::setV5Decoding(bool on) {
    if (v5_->isEnabled())
        v5_->setChecked(on);
}

QStringList ProductDialog::productCaptions() const {
    QStringList captions;
    for (const ProductInfo &info : kProducts)
        captions << products_->button(info.value)->text();
    return captions;
}

QString ProductDialog::description() const {
    return QTextDocumentFragment::fromHtml(description_->text())
        .toPlainText()
        .remove(QChar(0x2060));
}

void ProductDialog::showSelected() {
    const int value = product();
    const ProductInfo *info = findProduct(value);
    const ProductText &text = textOf(value);
    picture_->setPixmap(productPicture(value, kLargePicture));
    const QString about = keepNamesWhole(tr(text.description)).toHtmlEscaped();
    description_->setText(QStringLiteral("<b>%1</b><br>%2<p>%3</p>")
                              .arg(QString::fromLatin1(info ? info->name : ""),
                                   variantLines(text, QStringLiteral("<br>")), about));
    // V5 decoding is the LVT-60's alone; its choice comes back when the LVT-60 is selected again.
    const bool choosable = v5Choosable();
    v5_->setEnabled(choosable);
    v5_->setChecked(choosable && v5Wanted_);
}

} // namespace qv
