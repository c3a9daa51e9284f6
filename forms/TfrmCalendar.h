#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLineEdit;

namespace tavik {

// The date picker of the date buttons: a tool window holding one month calendar. Choosing a date
// (a double click, or Enter) closes it with OK; closing it in any other way rejects it.
class TfrmCalendar : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendar(QWidget* parent = nullptr);

    // Shows the month of `date` with the date selected.
    void setDate(QDate date);
    QDate date() const;

    QCalendarWidget* MonthCalendar1;
};

// What a date button does: opens the picker modally at the date its field holds, or at today
// when the field holds no valid date (empty, only its mask, or a wrong date), and writes the
// chosen date into the field as dd.MM.yyyy. Returns whether the field was written.
bool pickDateInto(QWidget* parent, QLineEdit* field);

}  // namespace tavik
