#pragma once
// Drawings of the instruments the program works with, for the Product Selection dialog and the
// main toolbar. They are drawn in code, so that they stay sharp at any size.
#include <QPixmap>

namespace qv {

// The drawing of a product (its value in the product table) in a square of side pixels, on a
// transparent ground; an empty pixmap for a value outside the table.
QPixmap productPicture(int product, int side);

// The product whose toolbar image is image, -1 when no product has it.
int productOfToolbarImage(int image);

} // namespace qv
