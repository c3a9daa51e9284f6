#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "forms/TfrmCalendar.h"
#include "tests/support/qt/ScriptedPrompts.h"

using tavik::TfrmCalendar;
using tavik::test::ScriptedPrompts;
using PromptIcon = tavik::platform::PromptIcon;

namespace {

// What the picker showed when it opened.
struct Seen {
    bool opened = false;
    QDate selected;
    int month = 0;
    int year = 0;
};

// Acts on the picker once it runs modally. Whatever the action leaves open is rejected, so that a
// test never hangs on a picker it did not expect.
class PickerDriver {
public:
    explicit PickerDriver(std::function<void(TfrmCalendar*)> act) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this, act] {
            auto* picker = qobject_cast<TfrmCalendar*>(QApplication::activeModalWidget());
            if (!picker) return;
            seen.opened = true;
            seen.selected = picker->MonthCalendar1->selectedDate();
            seen.month = picker->MonthCalendar1->monthShown();
            seen.year = picker->MonthCalendar1->yearShown();
            if (act) act(picker);
            if (picker->isVisible()) picker->reject();
        });
        timer_.start(0);
    }

    Seen seen;

private:
    QTimer timer_;
};

QTableView* daysOf(TfrmCalendar* picker) {
    return picker->MonthCalendar1->findChild<QTableView*>();
}

}  // namespace

class TestTfrmCalendar : public QObject {
    Q_OBJECT

private slots:
    void isAToolWindowFilledByItsCalendarStartingToday();
    void opensAtTheDateOfItsField();
    void choosingADateWritesItIntoTheField();
    void closingThePickerLeavesTheField();
    void anEmptyFieldOpensAtToday();
    void aFieldWithoutADateIsReportedAndOpensNothing_data();
    void aFieldWithoutADateIsReportedAndOpensNothing();
    void screenshot();

private:
    QWidget page_;
};

void TestTfrmCalendar::isAToolWindowFilledByItsCalendarStartingToday() {
    TfrmCalendar picker;
    QCOMPARE(picker.windowTitle(), QString("Kalendarz"));
    QVERIFY(picker.windowFlags().testFlag(Qt::Tool));
    QCOMPARE(picker.MonthCalendar1->objectName(), QString("MonthCalendar1"));
    QCOMPARE(picker.date(), QDate::currentDate());
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QCOMPARE(picker.MonthCalendar1->geometry(), picker.rect());
}

void TestTfrmCalendar::opensAtTheDateOfItsField() {
    QLineEdit field("15.03.2010", &page_);
    PickerDriver driver(nullptr);
    QVERIFY(!tavik::pickDateInto(&page_, &field));
    QVERIFY(driver.seen.opened);
    QCOMPARE(driver.seen.year, 2010);
    QCOMPARE(driver.seen.month, 3);
    QCOMPARE(driver.seen.selected, QDate(2010, 3, 15));

    // A day and month written without their leading zero are a date too.
    field.setText("5.1.2003");
    PickerDriver second(nullptr);
    tavik::pickDateInto(&page_, &field);
    QCOMPARE(second.seen.selected, QDate(2003, 1, 5));
    QCOMPARE(field.text(), QString("5.1.2003"));
}

void TestTfrmCalendar::choosingADateWritesItIntoTheField() {
    QLineEdit field("15.03.2010", &page_);

    // A double click on a day: the next day, reached with the arrow key, then clicked.
    PickerDriver byMouse([](TfrmCalendar* picker) {
        QTableView* days = daysOf(picker);
        QTest::keyClick(days, Qt::Key_Right);
        const QPoint at = days->visualRect(days->currentIndex()).center();
        QTest::mouseDClick(days->viewport(), Qt::LeftButton, {}, at);
    });
    QVERIFY(tavik::pickDateInto(&page_, &field));
    QCOMPARE(field.text(), QString("16.03.2010"));

    // Enter on a day a week later chooses it as well.
    PickerDriver byKey([](TfrmCalendar* picker) {
        QTableView* days = daysOf(picker);
        QTest::keyClick(days, Qt::Key_Down);
        QTest::keyClick(days, Qt::Key_Return);
    });
    QVERIFY(tavik::pickDateInto(&page_, &field));
    QCOMPARE(field.text(), QString("23.03.2010"));

    // Into a masked date field, as the policy and power-of-attorney pages have.
    QLineEdit masked(&page_);
    masked.setInputMask("99.99.9999;_");
    masked.setText("01.12.1999");
    PickerDriver intoMask([](TfrmCalendar* picker) {
        QTest::keyClick(daysOf(picker), Qt::Key_Left);
        QTest::keyClick(daysOf(picker), Qt::Key_Enter);
    });
    QVERIFY(tavik::pickDateInto(&page_, &masked));
    QCOMPARE(masked.text(), QString("30.11.1999"));
}

void TestTfrmCalendar::closingThePickerLeavesTheField() {
    QLineEdit field("15.03.2010", &page_);
    PickerDriver byCloseBox([](TfrmCalendar* picker) {
        QTest::keyClick(daysOf(picker), Qt::Key_Right);
        picker->close();
    });
    QVERIFY(!tavik::pickDateInto(&page_, &field));
    QVERIFY(byCloseBox.seen.opened);
    QCOMPARE(field.text(), QString("15.03.2010"));

    PickerDriver byEscape([](TfrmCalendar* picker) {
        QTest::keyClick(daysOf(picker), Qt::Key_Right);
        QTest::keyClick(daysOf(picker), Qt::Key_Escape);
    });
    QVERIFY(!tavik::pickDateInto(&page_, &field));
    QVERIFY(byEscape.seen.opened);
    QCOMPARE(field.text(), QString("15.03.2010"));
}

void TestTfrmCalendar::anEmptyFieldOpensAtToday() {
    ScriptedPrompts prompts;
    QLineEdit empty(&page_);
    QLineEdit masked(&page_);
    masked.setInputMask("99.99.9999;_");
    QLineEdit blanks("  .  .    ", &page_);
    for (QLineEdit* field : {&empty, &masked, &blanks}) {
        const QString before = field->text();
        PickerDriver driver(nullptr);
        QVERIFY(!tavik::pickDateInto(&page_, field));
        QVERIFY2(driver.seen.opened, qPrintable(before));
        QCOMPARE(driver.seen.selected, QDate::currentDate());
        QCOMPARE(field->text(), before);
    }
    QCOMPARE(prompts.shown.size(), 0);

    PickerDriver choose(
        [](TfrmCalendar* picker) { QTest::keyClick(daysOf(picker), Qt::Key_Return); });
    QVERIFY(tavik::pickDateInto(&page_, &masked));
    QCOMPARE(masked.text(), QDate::currentDate().toString("dd.MM.yyyy"));
}

void TestTfrmCalendar::aFieldWithoutADateIsReportedAndOpensNothing_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("no such day") << "31.02.2010";
    QTest::newRow("letters") << "abc";
    QTest::newRow("dashes") << "15-03-2010";
    QTest::newRow("half filled mask") << "15.03.    ";
    QTest::newRow("month 13") << "01.13.2010";
}

void TestTfrmCalendar::aFieldWithoutADateIsReportedAndOpensNothing() {
    QFETCH(QString, text);
    ScriptedPrompts prompts;
    QLineEdit field(text, &page_);
    PickerDriver driver(nullptr);
    QVERIFY(!tavik::pickDateInto(&page_, &field));
    QVERIFY(!driver.seen.opened);
    QCOMPARE(field.text(), text);
    QCOMPARE(prompts.shown.size(), 1);
    QCOMPARE(prompts.last().text, "'" + text + "' nie jest poprawną datą");
    QCOMPARE(prompts.last().caption, QString("Błąd"));
    QCOMPARE(prompts.last().icon, PromptIcon::Error);
    QCOMPARE(prompts.last().buttons, tavik::platform::PromptButtons::Ok);
}

// With TAVIK_SCREENSHOTS naming a folder, the picker is drawn there as it opens from 15.03.2010.
void TestTfrmCalendar::screenshot() {
    const QString folder = qEnvironmentVariable("TAVIK_SCREENSHOTS");
    if (folder.isEmpty()) QSKIP("TAVIK_SCREENSHOTS is not set");
    TfrmCalendar picker;
    picker.setDate(QDate(2010, 3, 15));
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QVERIFY(picker.grab().save(QDir(folder).filePath("TfrmCalendar.png")));
}

QTEST_MAIN(TestTfrmCalendar)
#include "test_TfrmCalendar.moc"
