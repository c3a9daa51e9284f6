#include "forms/IdentityRules.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

#include "forms/FieldControls.h"
#include "forms/PageTexts.h"

namespace tavik {

using namespace pagetexts;

IdentityRules::IdentityRules(QComboBox* citizenship, QComboBox* documentKind, QLabel* numberLabel,
                             const DictionaryList& documentKinds)
    : citizenship_(citizenship),
      documentKind_(documentKind),
      numberLabel_(numberLabel),
      documentKinds_(documentKinds) {
    forms::fillCombo(documentKind_, documentKinds_);
}

void IdentityRules::refillList(bool polish) {
    const QSignalBlocker quiet(documentKind_);
    forms::fillCombo(documentKind_, documentKinds_);
    if (!polish) {
        for (const QString& removed : {kDowodOsobisty, kPrawoJazdy}) {
            const int at = documentKind_->findText(removed, Qt::MatchExactly);
            if (at >= 0) documentKind_->removeItem(at);
        }
    }
}

void IdentityRules::citizenshipChanged() {
    const bool polish = citizenship_->currentText() == kPolskie;
    refillList(polish);
    documentKind_->setCurrentIndex(
        documentKind_->findText(polish ? kDowodOsobisty : kPaszport, Qt::MatchExactly));
    numberLabel_->setText(polish ? kPeselLabel : kSeriesLabel);
}

void IdentityRules::showStored(const QString& documentKind) {
    refillList(citizenship_->currentText() == kPolskie || citizenship_->currentIndex() < 0);
    documentKind_->setCurrentIndex(documentKind_->findText(documentKind, Qt::MatchExactly));
    documentKindChanged();
}

void IdentityRules::documentKindChanged() {
    numberLabel_->setText(documentKind_->currentText() == kDowodOsobisty ? kPeselLabel
                                                                         : kSeriesLabel);
}

}  // namespace tavik
