#pragma once
// The "Product Selection" dialog: the instruments as pictures with their variants, a
// description of the one selected, and for the LVT-60 the choice of V5 decoding.
#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QButtonGroup;

namespace qv {

class ProductDialog : public QDialog {
    Q_OBJECT
public:
    // Opens on product (a value of the product table) with its V5 decoding setting.
    ProductDialog(int product, bool v5Decoding, QWidget *parent = nullptr);

    // The product chosen, and whether V5 decoding is to be on (only ever for the LVT-60).
    int product() const;
    bool v5Decoding() const;
    void setProduct(int product);
    void setV5Decoding(bool on);
    bool v5Choosable() const;

    // What the dialog shows, as a user reads it: each product's caption under its picture, and
    // the description of the selected product.
    QStringList productCaptions() const;
    QString description() const;

private:
    void showSelected();

    QButtonGroup *products_ = nullptr; // the tiles, by product value
    QLabel *picture_ = nullptr;
    QLabel *description_ = nullptr;
    QCheckBox *v5_ = nullptr;
    bool v5Wanted_ = false; // the V5 choice, kept while another product is selected
};

} // namespace qv
