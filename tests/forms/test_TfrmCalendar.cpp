#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include "forms/TfrmCalendar.h"
#include "tests/support/qt/ScriptedPrompts.h"

enum Act { MoveThenEscape, DoubleClickNextDay, Enter };

class TestTfrmCalendar : public QObject {
    Q_OBJECT

private slots:
    void pickDateInto_data();
    void pickDateInto();
};

void TestTfrmCalendar::pickDateInto_data() {
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("act");
    QTest::addColumn<QDate>("shown");
    QTest::addColumn<QString>("after");
    const auto row = [](const char* name, QString mask, QString text, Act act, QDate shown,
                        QString after) {
        QTest::newRow(name) << mask << text << int(act) << shown << after;
    };
    const QDate today = QDate::currentDate();
    const QString todayText = today.toString("dd.MM.yyyy");
    row("closed", {}, "15.03.2010", MoveThenEscape, {2010, 3, 15}, "15.03.2010");
    row("no leading zeros", {}, "5.1.2003", MoveThenEscape, {2003, 1, 5}, "5.1.2003");
    row("double click", {}, "15.03.2010", DoubleClickNextDay, {2010, 3, 15}, "16.03.2010");
    row("empty", {}, {}, MoveThenEscape, today, {});
    row("mask only", "99.99.9999;_", {}, Enter, today, todayText);
    // No valid date: the picker opens at today, so that the date can be put right.
    row("no such day", "00.00.0000;_", "31.02.2026", Enter, today, todayText);
    row("no such day closed", {}, "31.02.2026", MoveThenEscape, today, "31.02.2026");
    row("letters", {}, "abc", Enter, today, todayText);
    row("half filled", "99.99.9999;_", "15.03.", Enter, today, todayText);
}

void TestTfrmCalendar::pickDateInto() {
    QFETCH(QString, mask);
    QFETCH(QString, text);
    QFETCH(int, act);
    QFETCH(QDate, shown);
    QFETCH(QString, after);
    tavik::test::ScriptedPrompts prompts;
    QWidget page;
    QLineEdit field(&page);
    field.setInputMask(mask);
    field.setText(text);

    QDate selected, month;  // as the picker opened; invalid when it did not
    // Tied to the page, so that a timer that never fired dies with the test.
    QTimer::singleShot(0, &page, [&] {
        auto* picker = qobject_cast<tavik::TfrmCalendar*>(QApplication::activeModalWidget());
        if (!picker) return;
        selected = picker->MonthCalendar1->selectedDate();
        month = QDate(picker->MonthCalendar1->yearShown(), picker->MonthCalendar1->monthShown(), 1);
        auto* days = picker->MonthCalendar1->findChild<QTableView*>();
        QTest::keyClick(days, act == Enter ? Qt::Key_Return : Qt::Key_Right);
        if (act == DoubleClickNextDay)
            QTest::mouseDClick(days->viewport(), Qt::LeftButton, {},
                               days->visualRect(days->currentIndex()).center());
        if (act == MoveThenEscape) QTest::keyClick(days, Qt::Key_Escape);
        // Whatever is left open is rejected, so that no case hangs.
        if (picker->isVisible()) picker->reject();
    });
    QCOMPARE(tavik::pickDateInto(&page, &field), act != MoveThenEscape);
    QCOMPARE(field.text(), after);
    QCOMPARE(selected, shown);
    QCOMPARE(month, QDate(shown.year(), shown.month(), 1));
    QCOMPARE(prompts.messages(), QStringList());
}

QTEST_MAIN(TestTfrmCalendar)
#include "test_TfrmCalendar.moc"
