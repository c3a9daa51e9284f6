#include "forms/ApplicationPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdio>

#include "dictionary/Slownik.h"
#include "forms/FieldControls.h"
#include "model/Cp1250Texts.h"

namespace tavik {

ApplicationPage::ApplicationPage(const Slownik& dictionary, QWidget* parent)
    : RecordPage(QStringLiteral("tbshWniosek"), QStringLiteral(" Dane Wniosku"), parent) {
    Kod = label({}, QStringLiteral("Kod"));
    NazwaZU = label({}, QStringLiteral("NazwaZU"));
    QFont bold = Kod->font();
    bold.setBold(true);
    Kod->setFont(bold);
    NazwaZU->setFont(bold);
    cbRodzajWn = comboList(QStringLiteral("cbRodzajWn"));
    forms::fillCombo(cbRodzajWn, dictionary.RodzajeWnioskow);
    edDataWn = edit(QStringLiteral("edDataWn"), 10);
    edDataWn->setReadOnly(true);
    sbDataWn = dateButton(QStringLiteral("sbDataWn"), edDataWn);
    edNrWniosku = edit(QStringLiteral("edNrWniosku"), 20);
    edKomentarz = memo(QStringLiteral("edKomentarz"));

    cbDataWykreslenia = new QCheckBox(group());
    cbDataWykreslenia->setObjectName(QStringLiteral("cbDataWykreslenia"));
    watch(cbDataWykreslenia);
    DataWykreslenia = new QDateEdit(QDate::currentDate(), group());
    DataWykreslenia->setObjectName(QStringLiteral("DataWykreslenia"));
    DataWykreslenia->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DataWykreslenia->setCalendarPopup(true);
    watch(DataWykreslenia);

    gbPrzyczyny = new QGroupBox(QStringLiteral("PRZYCZYNY WYKREŚLENIA"), group());
    gbPrzyczyny->setObjectName(QStringLiteral("gbPrzyczyny"));
    auto* reasonsLayout = new QVBoxLayout(gbPrzyczyny);
    const QString reasonTexts[] = {QStringLiteral("naruszenie przepisów prawa"),
                                   QStringLiteral("naruszenie postanowień umowy agencyjnej"),
                                   QStringLiteral("naruszenie należytej staranności"),
                                   QStringLiteral("naruszenie dobrych obyczajów")};
    QCheckBox** boxes[] = {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4};
    for (int i = 0; i < 4; ++i) {
        *boxes[i] = new QCheckBox(reasonTexts[i], gbPrzyczyny);
        (*boxes[i])->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        reasonsLayout->addWidget(*boxes[i]);
        watch(*boxes[i]);
    }

    addRow(0, QStringLiteral("Kod zakładu"), Kod);
    addRow(1, QStringLiteral("Nazwa zakładu"), NazwaZU);
    addRow(2, QStringLiteral("Typ wniosku"), cbRodzajWn);
    addRow(3, QStringLiteral("Data wystawienia wniosku"), inLine({edDataWn, sbDataWn}, group()));
    addRow(4, QStringLiteral("Numer wniosku**"), edNrWniosku);
    addRow(5, QStringLiteral("Komentarz*"), edKomentarz);
    lblDataWykreslenia = addRow(6, QStringLiteral("Data rozw. umowy agencyjnej"),
                                inLine({cbDataWykreslenia, DataWykreslenia}, group()));
    grid()->addWidget(gbPrzyczyny, 7, 0, 1, 4);

    connect(cbRodzajWn, &QComboBox::currentIndexChanged, this,
            &ApplicationPage::updateDeletionExtras);
    connect(cbDataWykreslenia, &QCheckBox::toggled, this, &ApplicationPage::updateDeletionExtras);
    updateDeletionExtras();
}

void ApplicationPage::showUndertaking(const QString& code, const QString& name) {
    Kod->setText(code);
    NazwaZU->setText(name);
}

void ApplicationPage::take(TRecWniosek& application) const {
    application.TypWniosku = forms::takeField(cbRodzajWn);
    application.RodzajWniosku = kindIndex();
    application.NumerWniosku = forms::takeField(edNrWniosku);
    application.DataWniosku = forms::takeField(edDataWn);
    application.Komentarz = forms::takeField(edKomentarz);
}

DeletionExtras ApplicationPage::deletion() const {
    if (!cbDataWykreslenia->isChecked()) return {};
    return {forms::cp1250Of(DataWykreslenia->date().toString(QStringLiteral("dd.MM.yyyy"))),
            reasonsField(reasons())};
}

int ApplicationPage::kindIndex() const {
    return cbRodzajWn->currentIndex();
}

bool ApplicationPage::isDeletionChosen() const {
    return cbRodzajWn->currentText() == forms::qt(texts::WYKRESLENIE.view());
}

void ApplicationPage::updateDeletionExtras() {
    const bool deletion = isDeletionChosen();
    if (!deletion && !showing()) {
        const Showing quiet(*this);
        DataWykreslenia->setDate(QDate::currentDate());
    }
    lblDataWykreslenia->setVisible(deletion);
    cbDataWykreslenia->parentWidget()->setVisible(deletion);
    DataWykreslenia->setEnabled(cbDataWykreslenia->isChecked());
    gbPrzyczyny->setVisible(deletion && cbDataWykreslenia->isChecked());
}

void ApplicationPage::showApplication(const TRecWniosek& application,
                                      const DeletionExtras& deletion) {
    const Showing showing(*this);
    forms::showField(cbRodzajWn, application.TypWniosku);
    forms::showField(edDataWn, application.DataWniosku);
    forms::showField(edNrWniosku, application.NumerWniosku);
    forms::showField(edKomentarz, application.Komentarz);
    cbDataWykreslenia->setChecked(false);
    DataWykreslenia->setDate(QDate::currentDate());
    setReasons(0);
    // The date is ticked only when one is stored: a ticked date is what the agent gets.
    const QDate date = QDate::fromString(forms::qt(deletion.date), QStringLiteral("dd.MM.yyyy"));
    if (application.RodzajWniosku == 2 && date.isValid()) {
        cbDataWykreslenia->setChecked(true);
        DataWykreslenia->setDate(date);
        setReasons(reasonsFromField(Field(deletion.reasons)));
    }
    updateDeletionExtras();
}

void ApplicationPage::newForm(int number) {
    const Showing showing(*this);
    cbRodzajWn->setCurrentIndex(cbRodzajWn->count() > 0 ? 0 : -1);
    edNrWniosku->setText(QStringLiteral("WNIOSEK ") + QString::number(number));
    edDataWn->setText(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    edKomentarz->clear();
    cbDataWykreslenia->setChecked(false);
    DataWykreslenia->setDate(QDate::currentDate());
    setReasons(0);
    updateDeletionExtras();
}

std::uint32_t ApplicationPage::reasons() const {
    std::uint32_t value = 0;
    const QCheckBox* boxes[] = {CheckBox1, CheckBox2, CheckBox3, CheckBox4};
    for (int i = 0; i < 4; ++i)
        if (boxes[i]->isChecked()) value |= 0xFFu << (8 * i);
    return value;
}

void ApplicationPage::setReasons(std::uint32_t value) {
    QCheckBox* boxes[] = {CheckBox1, CheckBox2, CheckBox3, CheckBox4};
    for (int i = 0; i < 4; ++i)
        boxes[i]->setChecked(((value >> (8 * i)) & 0xFFu) != 0);
}

std::string ApplicationPage::reasonsField(std::uint32_t value) {
    if (value == 0) return std::string(texts::EMPTY.view());
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

std::uint32_t ApplicationPage::reasonsFromField(const Field& field) {
    bool ok = false;
    const std::uint32_t value = forms::qt(field.view()).toUInt(&ok, 16);
    return ok ? value : 0;
}

}  // namespace tavik
