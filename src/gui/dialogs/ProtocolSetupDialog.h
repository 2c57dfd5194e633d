#pragma once
// The "Protocol Setup" dialog: the layer-3 protocol variant the captures are decoded with, and
// for the LVT-60 whether its captures carry V5.1/V5.2 encapsulated signalling.
#include <QDialog>
#include <QStringList>

#include <string>

#include "pdu/interface/ProtocolVariant.h"

class QCheckBox;
class QListWidget;

namespace qv {

class UserMessages;

class ProtocolSetupDialog : public QDialog {
    Q_OBJECT
public:
    // Opens on current; the V5 box is offered only when encapsulationAllowed (the LVT-60),
    // otherwise it is cleared and the selection's flag goes off. OK takes the variant of the
    // name selected, its folder below notationRoot.
    ProtocolSetupDialog(const ProtocolSelection &current, bool encapsulationAllowed,
                        std::string notationRoot, UserMessages &messages,
                        QWidget *parent = nullptr);

    // The choice: the one opened on until OK took another.
    const ProtocolSelection &selection() const { return selection_; }

    // The names listed, in their order, and the one selected (empty for none).
    QStringList names() const;
    QString selectedName() const;
    // Selects name when it is listed; false otherwise (the selection is cleared).
    bool selectName(const QString &name);
    bool encapsulatedEnabled() const;
    bool encapsulated() const;
    void setEncapsulated(bool on);

    // OK: the name selected becomes the choice; "Unknown protocol!" and the dialog stays open
    // when no variant has that name.
    void accept() override;

private:
    void showHelp();

    ProtocolSelection selection_;
    std::string notationRoot_;
    UserMessages &messages_;
    QListWidget *names_ = nullptr;
    QCheckBox *encapsulated_ = nullptr;
};

} // namespace qv
