#pragma once

#include <QComboBox>

namespace tavik {

// A combo box whose open list is as wide as its longest entry, whatever the width of the box
// itself: dictionary names ("KRAJOWY REJESTR SĄDOWY", the insurers, the insurance groups) are
// read whole. Measured at each opening, so that entries filled later and the font the box has
// then count.
class WideListComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override;

    // The least width of the open list that shows every entry whole: the widest entry as the
    // list draws it, its frame and its scroll bar.
    int listWidthForEntries() const;
};

}  // namespace tavik
