#pragma once

#include <QString>

class QComboBox;
class QLabel;

namespace tavik {

class DictionaryList;

// The rules of a person's identity document, the same on the agent, employee and board pages.
// A Polish citizen may show an identity card ("DOWÓD OSOBISTY", labelled "PESEL"); anyone else
// shows a passport or another document, labelled "Seria i numer".
class IdentityRules {
public:
    IdentityRules(QComboBox* citizenship, QComboBox* documentKind, QLabel* numberLabel,
                  const DictionaryList& documentKinds);

    // After the citizenship changed: the document list and the chosen document follow it.
    void citizenshipChanged();
    // Shows a stored document kind: the list follows the shown citizenship, the kind is kept.
    void showStored(const QString& documentKind);
    // After the document kind changed: the number's label follows it.
    void documentKindChanged();

private:
    void refillList(bool polish);

    QComboBox* citizenship_;
    QComboBox* documentKind_;
    QLabel* numberLabel_;
    const DictionaryList& documentKinds_;
};

}  // namespace tavik
