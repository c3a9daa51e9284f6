#include "forms/WideListComboBox.h"

#include <QAbstractItemView>
#include <QStyle>
#include <algorithm>

namespace tavik {

int WideListComboBox::listWidthForEntries() const {
    const QAbstractItemView* list = view();
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
    // The list's own measure adds the margins its items are drawn with.
    widest = std::max(widest, list->sizeHintForColumn(modelColumn()));
    const QStyle* style = list->style();
    return widest + style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list) +
           2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, list) +
           4 * style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list);
}

void WideListComboBox::showPopup() {
    view()->setMinimumWidth(listWidthForEntries());
    QComboBox::showPopup();
}

}  // namespace tavik
