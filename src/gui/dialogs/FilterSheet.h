#pragma once
// The filter property sheet: the pages of an off-line or real-time filter (General, Layer 2,
// V5, ISDN layer 3, X.25 layer 3) and the Profile page that saves, loads and deletes named
// profiles of the Filter folder. OK takes the pages' values once they are all valid.
#include <QDialog>

#include "filters/FilterCriteria.h"
#include "filters/FilterFiles.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTabWidget;

namespace qv {

class ProfilePage;

class CauseList;
class UserMessages;

class FilterSheet : public QDialog {
    Q_OBJECT
public:
    FilterSheet(FilterKind kind, const FilterCriteria &criteria, FilterFiles files,
                const CauseList *causes, UserMessages &messages, QWidget *parent = nullptr);

    // The pages' values; what OK keeps.
    const FilterCriteria &criteria() const { return criteria_; }
    // Shows criteria on the pages.
    void showCriteria(const FilterCriteria &criteria);
    // The pages' values, or a message naming the first field that holds a bad value.
    bool readPages(FilterCriteria &out, QString &problem) const;

    // The Profile page, with its commands.
    ProfilePage &profiles() { return *profiles_; }

    void accept() override;

private:
    QWidget *generalPage();
    QWidget *layer2Page();
    QWidget *v5Page();
    QWidget *isdnPage();
    QWidget *x25Page();
    QWidget *profilePage();
    void showProblem(const QString &text) const;
    bool offLine() const { return kind_ == FilterKind::OffLine; }

    FilterKind kind_;
    FilterCriteria criteria_;
    FilterFiles files_;
    const CauseList *causes_;
    UserMessages &messages_;
    QTabWidget *tabs_ = nullptr;

    QCheckBox *layer1_ = nullptr, *layer2_ = nullptr, *layer3_ = nullptr;
    QCheckBox *sapiSet_ = nullptr, *teiSet_ = nullptr, *keepRR_ = nullptr;
    QSpinBox *sapi_ = nullptr, *tei_ = nullptr;
    QComboBox *direction_ = nullptr, *frameType_ = nullptr;
    QCheckBox *efaSet_ = nullptr;
    QSpinBox *efa_ = nullptr, *l3Address_ = nullptr;
    QComboBox *v5Message_ = nullptr;
    QCheckBox *callRefSet_ = nullptr, *localSet_ = nullptr, *remoteSet_ = nullptr;
    QLineEdit *callRef_ = nullptr, *local_ = nullptr, *remote_ = nullptr;
    QCheckBox *pdSet_ = nullptr, *causeSet_ = nullptr;
    QLineEdit *pd_ = nullptr, *cause_ = nullptr;
    QComboBox *message_ = nullptr, *causeFormat_ = nullptr;
    QCheckBox *lcnSet_ = nullptr, *x25LocalSet_ = nullptr, *x25RemoteSet_ = nullptr;
    QLineEdit *lcn_ = nullptr, *x25Local_ = nullptr, *x25Remote_ = nullptr;
    QComboBox *packet_ = nullptr, *slicing_ = nullptr;
    QCheckBox *cugSet_ = nullptr, *nuiSet_ = nullptr, *keepData_ = nullptr;
    QSpinBox *cug_ = nullptr;
    ProfilePage *profiles_ = nullptr;
};

// The equipment text filter files name.
inline constexpr const char *kFilterEquipment = "LVT-30";

} // namespace qv
