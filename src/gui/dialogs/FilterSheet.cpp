#include "dialogs/FilterSheet.h"
#include "base/Numbers.h"
#include "dialogs/ProfilePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/UserMessages.h"
#include "filters/FilterLists.h"

namespace qv {

namespace {

QSpinBox *spin(int low, int high, const char *name, QWidget *parent) {
    auto *box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setObjectName(QLatin1String(name));
    return box;
}

QLineEdit *edit(const char *name, QWidget *parent, int length = kMaxFilterText) {
    auto *line = new QLineEdit(parent);
    line->setMaxLength(length);
    line->setObjectName(QLatin1String(name));
    return line;
}

// A combo box whose first entry chooses nothing; the entries' data are their criterion values.
QComboBox *choice(const char *name, QWidget *parent) {
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItem(QObject::tr("(any)"), 0);
    return box;
}

void select(QComboBox *box, int value) {
    const int at = box->findData(value);
    box->setCurrentIndex(at < 0 ? 0 : at);
}

int chosen(const QComboBox *box) {
    return box->currentData().toInt();
}

// A criterion's row: its set flag, and the field it enables.
void row(QGridLayout *grid, QCheckBox *set, QWidget *field) {
    const int r = grid->rowCount();
    grid->addWidget(set, r, 0);
    grid->addWidget(field, r, 1);
    field->setEnabled(set->isChecked());
    QObject::connect(set, &QCheckBox::toggled, field, &QWidget::setEnabled);
}

// A labelled field without a set flag.
void labelled(QGridLayout *grid, const QString &label, QWidget *field) {
    const int r = grid->rowCount();
    grid->addWidget(new QLabel(label, field->parentWidget()), r, 0);
    grid->addWidget(field, r, 1);
}

QWidget *page(QTabWidget *tabs, const QString &title, QGridLayout *&grid) {
    auto *widget = new QWidget(tabs);
    auto *outer = new QVBoxLayout(widget);
    grid = new QGridLayout();
    grid->setColumnStretch(1, 1);
    outer->addLayout(grid);
    outer->addStretch(1);
    tabs->addTab(widget, title);
    return widget;
}

std::string text(const QLineEdit *line) {
    return line->text().trimmed().toStdString();
}

bool hexValue(const QLineEdit *line, int high, int &out) {
    const std::optional<std::uint32_t> v =
        parseHexNumber(text(line), static_cast<std::uint32_t>(high));
    if (v)
        out = static_cast<int>(*v);
    return v.has_value();
}

// Digits, with "*" standing for any digits at the start or the end.
bool validPattern(const std::string &pattern) {
    static const QRegularExpression form(QStringLiteral("^(\\*[0-9]*|[0-9]+\\*?)$"));
    return form.match(QString::fromStdString(pattern)).hasMatch();
}

QString hexText(int value) {
    return QString::number(value, 16).toUpper();
}

} // namespace

FilterSheet::FilterSheet(FilterKind kind, const FilterCriteria &criteria, FilterFiles files,
                         const CauseList *causes, UserMessages &messages, QWidget *parent)
    : QDialog(parent), kind_(kind), criteria_(criteria), files_(std::move(files)), causes_(causes),
      messages_(messages) {
    setWindowTitle(offLine() ? tr("Off-Line Filters") : tr("Real-Time Filters"));
    tabs_ = new QTabWidget(this);
    // Every page's title in sight, however long it reads in the interface language.
    tabs_->setUsesScrollButtons(false);
    generalPage();
    layer2Page();
    v5Page();
    isdnPage();
    x25Page();
    profilePage();
    layOutSheet(*this, tabs_);
    showCriteria(criteria_);
}

QWidget *FilterSheet::generalPage() {
    QGridLayout *grid = nullptr;
    QWidget *w = page(tabs_, tr("General"), grid);
    auto *group = new QGroupBox(tr("Display"), w);
    auto *box = new QVBoxLayout(group);
    layer1_ = namedCheckBox(tr("Layer 1 events"), "layer1", group);
    layer2_ = namedCheckBox(tr("Layer 2 frames"), "layer2", group);
    layer3_ = namedCheckBox(tr("Layer 3 frames"), "layer3", group);
    for (QCheckBox *c : {layer1_, layer2_, layer3_})
        box->addWidget(c);
    grid->addWidget(group, 0, 0, 1, 2);
    return w;
}

QWidget *FilterSheet::layer2Page() {
    QGridLayout *grid = nullptr;
    QWidget *w = page(tabs_, tr("Layer 2"), grid);
    sapiSet_ = namedCheckBox(tr("SAPI"), "sapiSet", w);
    sapi_ = spin(0, 63, "sapi", w);
    row(grid, sapiSet_, sapi_);
    teiSet_ = namedCheckBox(tr("TEI"), "teiSet", w);
    tei_ = spin(0, 127, "tei", w);
    row(grid, teiSet_, tei_);
    direction_ = choice("direction", w);
    const auto directions = filterDirections();
    for (std::size_t i = 0; i < directions.size(); ++i)
        direction_->addItem(QString::fromLatin1(directions[i]), static_cast<int>(i + 1));
    frameType_ = choice("frameType", w);
    const auto types = layer2FrameTypes();
    for (std::size_t i = 0; i < types.size(); ++i)
        frameType_->addItem(QString::fromLatin1(types[i].name), static_cast<int>(i + 1));
    if (offLine()) {
        labelled(grid, tr("Direction"), direction_);
        labelled(grid, tr("Frame"), frameType_);
    } else {
        direction_->hide();
        frameType_->hide();
    }
    keepRR_ = namedCheckBox(tr("Keep RR frames"), "keepRR", w);
    grid->addWidget(keepRR_, grid->rowCount(), 0, 1, 2);
    return w;
}

QWidget *FilterSheet::v5Page() {
    QGridLayout *grid = nullptr;
    QWidget *w = page(tabs_, tr("V5"), grid);
    efaSet_ = namedCheckBox(tr("EFA"), "efaSet", w);
    efa_ = spin(0, kEveryUserPortEfa, "efa", w);
    efa_->setToolTip(tr("%1: every user port").arg(kEveryUserPortEfa));
    row(grid, efaSet_, efa_);
    l3Address_ = spin(0, 0x7FFF, "l3Address", w);
    l3Address_->setSpecialValueText(tr("(any)"));
    labelled(grid, tr("L3 address"), l3Address_);
    v5Message_ = choice("v5Message", w);
    for (int p = 1; p <= kLastV5MessagePosition; ++p)
        v5Message_->addItem(QString::fromStdString(v5MessageListText(p)),
                            p < kFirstV5MessagePosition ? p : (kV5MessageMark | p));
    if (offLine())
        labelled(grid, tr("Message"), v5Message_);
    else
        v5Message_->hide();
    return w;
}

QWidget *FilterSheet::isdnPage() {
    QGridLayout *grid = nullptr;
    QWidget *w = page(tabs_, tr("ISDN Layer 3"), grid);
    callRefSet_ = namedCheckBox(tr("Call reference (hex)"), "callRefSet", w);
    callRef_ = edit("callRef", w, 6);
    row(grid, callRefSet_, callRef_);
    localSet_ = namedCheckBox(tr("Local address"), "localSet", w);
    local_ = edit("local", w);
    row(grid, localSet_, local_);
    remoteSet_ = namedCheckBox(tr("Remote address"), "remoteSet", w);
    remote_ = edit("remote", w);
    row(grid, remoteSet_, remote_);
    pdSet_ = namedCheckBox(tr("Protocol discriminator (hex)"), "pdSet", w);
    pd_ = edit("pd", w, 4);
    message_ = choice("message", w);
    const auto names = isdnMessages();
    for (std::size_t i = 0; i < names.size(); ++i)
        message_->addItem(QString::fromLatin1(names[i].name), static_cast<int>(i + 1));
    causeSet_ = namedCheckBox(tr("Cause"), "causeSet", w);
    cause_ = edit("cause", w);
    causeFormat_ = new QComboBox(w);
    causeFormat_->setObjectName(QStringLiteral("causeFormat"));
    for (const char *format : causeFormats())
        causeFormat_->addItem(QString::fromLatin1(format));
    if (offLine()) {
        row(grid, pdSet_, pd_);
        labelled(grid, tr("Message"), message_);
        auto *causeFields = new QWidget(w);
        auto *line = new QHBoxLayout(causeFields);
        line->setContentsMargins(0, 0, 0, 0);
        line->addWidget(cause_, 1);
        line->addWidget(causeFormat_);
        row(grid, causeSet_, causeFields);
    } else {
        for (QWidget *hidden : std::initializer_list<QWidget *>{pdSet_, pd_, message_, causeSet_,
                                                                cause_, causeFormat_})
            hidden->hide();
    }
    // The two message lists choose the same criterion.
    connect(message_, &QComboBox::currentIndexChanged, this, [this] {
        const int value = chosen(message_);
        if (value != 0 || !(chosen(v5Message_) & kV5MessageMark))
            select(v5Message_, value);
    });
    connect(v5Message_, &QComboBox::currentIndexChanged, this, [this] {
        const int value = chosen(v5Message_);
        select(message_, value & kV5MessageMark ? 0 : value);
    });
    return w;
}

QWidget *FilterSheet::x25Page() {
    QGridLayout *grid = nullptr;
    QWidget *w = page(tabs_, tr("X.25 Layer 3"), grid);
    lcnSet_ = namedCheckBox(tr("Logical channel (hex)"), "lcnSet", w);
    lcn_ = edit("lcn", w, 5);
    row(grid, lcnSet_, lcn_);
    x25LocalSet_ = namedCheckBox(tr("Local address"), "x25LocalSet", w);
    x25Local_ = edit("x25Local", w);
    row(grid, x25LocalSet_, x25Local_);
    x25RemoteSet_ = namedCheckBox(tr("Remote address"), "x25RemoteSet", w);
    x25Remote_ = edit("x25Remote", w);
    row(grid, x25RemoteSet_, x25Remote_);
    packet_ = choice("packet", w);
    const auto packets = x25Packets();
    for (std::size_t i = 0; i < packets.size(); ++i)
        packet_->addItem(QString::fromLatin1(packets[i].name), static_cast<int>(i + 1));
    auto *group = new QGroupBox(tr("Display Packets with"), w);
    auto *groupGrid = new QGridLayout(group);
    cugSet_ = namedCheckBox(tr("Closed user group"), "cugSet", group);
    cug_ = spin(0, 9999, "cug", group);
    row(groupGrid, cugSet_, cug_);
    nuiSet_ = namedCheckBox(tr("Network user identification"), "nuiSet", group);
    groupGrid->addWidget(nuiSet_, groupGrid->rowCount(), 0, 1, 2);
    slicing_ = new QComboBox(w);
    slicing_->setObjectName(QStringLiteral("slicing"));
    for (const char *size : slicingSizes())
        slicing_->addItem(QString::fromLatin1(size));
    keepData_ = namedCheckBox(tr("Keep data packets"), "keepData", w);
    if (offLine()) {
        labelled(grid, tr("Packet"), packet_);
        grid->addWidget(group, grid->rowCount(), 0, 1, 2);
        slicing_->hide();
        keepData_->hide();
    } else {
        packet_->hide();
        group->hide();
        labelled(grid, tr("Frame slicing"), slicing_);
        grid->addWidget(keepData_, grid->rowCount(), 0, 1, 2);
    }
    return w;
}

QWidget *FilterSheet::profilePage() {
    ProfilePage::Store store;
    store.list = [this] { return files_.List(kind_); };
    store.check = [this] {
        FilterCriteria c;
        QString problem;
        return readPages(c, problem) ? QString() : problem;
    };
    store.save = [this](const std::string &name) {
        FilterCriteria c;
        QString problem;
        return readPages(c, problem) && files_.Save(kind_, name, c, kFilterEquipment);
    };
    store.load = [this](const std::string &name) {
        FilterCriteria c;
        if (!files_.Load(kind_, name, c))
            return false;
        showCriteria(c);
        return true;
    };
    store.remove = [this](const std::string &name) { return files_.Delete(kind_, name); };
    store.folder = files_.folder();
    profiles_ = new ProfilePage(std::move(store), messages_, tabs_);
    tabs_->addTab(profiles_, tr("Profile"));
    return profiles_;
}

void FilterSheet::showCriteria(const FilterCriteria &in) {
    FilterCriteria c = in;
    c.normalise();
    layer1_->setChecked(c.layer1);
    layer2_->setChecked(c.layer2);
    layer3_->setChecked(c.layer3);
    sapiSet_->setChecked(c.sapiSet);
    sapi_->setValue(c.sapi);
    teiSet_->setChecked(c.teiSet);
    tei_->setValue(c.tei);
    select(direction_, c.direction);
    select(frameType_, c.frameType);
    keepRR_->setChecked(c.keepRR);
    efaSet_->setChecked(c.efaSet);
    efa_->setValue(c.efa);
    l3Address_->setValue(c.l3Address);
    callRefSet_->setChecked(c.callRefSet);
    callRef_->setText(hexText(c.callRef));
    localSet_->setChecked(c.localAddressSet);
    local_->setText(QString::fromStdString(c.localAddress));
    remoteSet_->setChecked(c.remoteAddressSet);
    remote_->setText(QString::fromStdString(c.remoteAddress));
    pdSet_->setChecked(c.pdSet);
    pd_->setText(hexText(c.pd));
    select(v5Message_, c.message);
    select(message_, c.message & kV5MessageMark ? 0 : c.message);
    causeSet_->setChecked(c.causeSet);
    cause_->setText(QString::fromStdString(c.causeText));
    causeFormat_->setCurrentIndex(c.causeFormat);
    lcnSet_->setChecked(c.lcnSet);
    lcn_->setText(hexText(c.lcn));
    x25LocalSet_->setChecked(c.x25LocalAddressSet);
    x25Local_->setText(QString::fromStdString(c.x25LocalAddress));
    x25RemoteSet_->setChecked(c.x25RemoteAddressSet);
    x25Remote_->setText(QString::fromStdString(c.x25RemoteAddress));
    select(packet_, c.packetType);
    cugSet_->setChecked(c.cugSet);
    cug_->setValue(c.cug);
    nuiSet_->setChecked(c.nuiSet);
    slicing_->setCurrentIndex(c.frameSlicing);
    keepData_->setChecked(c.keepData);
}

bool FilterSheet::readPages(FilterCriteria &c, QString &problem) const {
    c = criteria_;
    c.layer1 = layer1_->isChecked();
    c.layer2 = layer2_->isChecked();
    c.layer3 = layer3_->isChecked();
    c.sapiSet = sapiSet_->isChecked();
    c.sapi = sapi_->value();
    c.teiSet = teiSet_->isChecked();
    c.tei = tei_->value();
    c.keepRR = keepRR_->isChecked();
    c.efaSet = efaSet_->isChecked();
    c.efa = efa_->value();
    c.l3Address = l3Address_->value();
    c.callRefSet = callRefSet_->isChecked();
    c.localAddressSet = localSet_->isChecked();
    c.localAddress = text(local_);
    c.remoteAddressSet = remoteSet_->isChecked();
    c.remoteAddress = text(remote_);
    c.lcnSet = lcnSet_->isChecked();
    c.x25LocalAddressSet = x25LocalSet_->isChecked();
    c.x25LocalAddress = text(x25Local_);
    c.x25RemoteAddressSet = x25RemoteSet_->isChecked();
    c.x25RemoteAddress = text(x25Remote_);
    if (offLine()) {
        c.direction = chosen(direction_);
        c.frameType = chosen(frameType_);
        c.pdSet = pdSet_->isChecked();
        const int v5 = chosen(v5Message_);
        c.message = v5 & kV5MessageMark ? v5 : chosen(message_);
        c.causeSet = causeSet_->isChecked();
        c.causeText = text(cause_);
        c.causeFormat = causeFormat_->currentIndex();
        c.packetType = chosen(packet_);
        c.cugSet = cugSet_->isChecked();
        c.cug = cug_->value();
        c.nuiSet = nuiSet_->isChecked();
    } else {
        c.frameSlicing = slicing_->currentIndex();
        c.keepData = keepData_->isChecked();
    }

    if (c.callRefSet && !hexValue(callRef_, 0x7FFF, c.callRef)) {
        problem = tr("The call reference is a hexadecimal value from 0 to 7FFF.");
        return false;
    }
    if (c.lcnSet && !hexValue(lcn_, 0xFFF, c.lcn)) {
        problem = tr("The logical channel is a hexadecimal value from 0 to FFF.");
        return false;
    }
    if (offLine() && c.pdSet && !hexValue(pd_, 0xFF, c.pd)) {
        problem = tr("The protocol discriminator is a hexadecimal value from 0 to FF.");
        return false;
    }
    const struct {
        bool set;
        const std::string &pattern;
        const char *name;
    } addresses[] = {
        {c.localAddressSet, c.localAddress, QT_TR_NOOP("local address")},
        {c.remoteAddressSet, c.remoteAddress, QT_TR_NOOP("remote address")},
        {c.x25LocalAddressSet, c.x25LocalAddress, QT_TR_NOOP("X.25 local address")},
        {c.x25RemoteAddressSet, c.x25RemoteAddress, QT_TR_NOOP("X.25 remote address")},
    };
    for (const auto &a : addresses)
        if (a.set && !validPattern(a.pattern)) {
            problem = tr("The %1 is made of digits, with * for any digits at its start or its "
                         "end.")
                          .arg(tr(a.name));
            return false;
        }
    if (offLine() && c.causeSet && !causeNumber(c.causeText, c.causeFormat, causes_)) {
        problem = c.causeFormat == kCauseMnemonics
                      ? tr("\"%1\" is not a cause of the list of causes.")
                            .arg(QString::fromStdString(c.causeText))
                      : tr("The cause is a number from 0 to 127.");
        return false;
    }
    return true;
}

void FilterSheet::showProblem(const QString &text) const {
    messages_.show(text.toStdString(), kProgramCaption, MessageIcon::Exclamation);
}

void FilterSheet::accept() {
    FilterCriteria c;
    QString problem;
    if (!readPages(c, problem)) {
        showProblem(problem);
        return;
    }
    criteria_ = c;
    QDialog::accept();
}

} // namespace qv
