#include "forms/TfrmCalendar.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

namespace tavik {

namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

QDate dateIn(const QString& text) {
    const QString t = text.trimmed();
    QDate date = QDate::fromString(t, kDateFormat);
    // The system's conversion also takes a day and a month written without their leading zero.
    if (!date.isValid()) date = QDate::fromString(t, QStringLiteral("d.M.yyyy"));
    return date;
}

}  // namespace

TfrmCalendar::TfrmCalendar(QWidget* parent)
    : QDialog(parent, Qt::Tool), MonthCalendar1(new QCalendarWidget(this)) {
    setObjectName(QStringLiteral("TfrmCalendar"));
    setWindowTitle(QStringLiteral("Kalendarz"));
    MonthCalendar1->setObjectName(QStringLiteral("MonthCalendar1"));
    // Record dates may lie anywhere from year 1 on.
    MonthCalendar1->setMinimumDate(QDate(1, 1, 1));
    // Polish month and day names, weeks from Monday, whatever the system's language.
    MonthCalendar1->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    MonthCalendar1->setFirstDayOfWeek(Qt::Monday);
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setDate(QDate::currentDate());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MonthCalendar1);
    setFixedSize(sizeHint());

    connect(MonthCalendar1, &QCalendarWidget::activated, this, &QDialog::accept);
}

void TfrmCalendar::setDate(QDate date) {
    MonthCalendar1->setSelectedDate(date);
    MonthCalendar1->setCurrentPage(date.year(), date.month());
}

QDate TfrmCalendar::date() const {
    return MonthCalendar1->selectedDate();
}

bool pickDateInto(QWidget* parent, QLineEdit* field) {
    // A field that holds no valid date (nothing yet, or a wrong date a stored file held) opens at
    // today: the button is the only way to put a read-only date right.
    const QDate held = dateIn(field->text());
    TfrmCalendar picker(parent);
    picker.setDate(held.isValid() ? held : QDate::currentDate());
    if (picker.exec() != QDialog::Accepted) return false;
    field->setText(picker.date().toString(kDateFormat));
    return true;
}

}  // namespace tavik
