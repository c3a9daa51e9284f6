#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace tavik {

// A framed column of radio buttons of which one is chosen, known by its index.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int count() const;
    QRadioButton* button(int index) const;

    // -1 while none is chosen.
    int itemIndex() const;
    // An index out of range chooses none.
    void setItemIndex(int index);

signals:
    // The user chose the button of the index.
    void itemClicked(int index);

private:
    QButtonGroup* group_;
};

}  // namespace tavik
