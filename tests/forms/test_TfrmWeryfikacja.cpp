#include <QLabel>
#include <QPointer>
#include <QtTest>

#include "forms/TfrmWeryfikacja.h"

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

class TestTfrmWeryfikacja : public QObject {
    Q_OBJECT

private slots:
    void showsRepaintsAndDeletesItselfOnClose();
};

void TestTfrmWeryfikacja::showsRepaintsAndDeletesItselfOnClose() {
    PaintCounter counter;
    QPointer<tavik::TfrmWeryfikacja> w = new tavik::TfrmWeryfikacja;
    w->showAndPaint();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->stStatus->text(), QString("Trwa weryfikacja"));
    QVERIFY(w->stStatus->isVisible());
    QVERIFY(w->stStatus->width() >= w->stStatus->sizeHint().width());  // not cut
    QTRY_VERIFY_WITH_TIMEOUT(w->Animate1->frame() != 0, 2000);
    QVERIFY(w->Timer1->isActive());
    QCOMPARE(w->Timer1->interval(), 1000);

    // With the animation held and the timer restarted, only the timer draws the panel, and not
    // before its second.
    w->Animate1->stop();
    QCoreApplication::processEvents();
    w->Panel1->installEventFilter(&counter);
    w->Timer1->start();
    QTest::qWait(400);
    QCOMPARE(counter.paints, 0);
    QTRY_VERIFY_WITH_TIMEOUT(counter.paints > 0, 2000);

    w->Animate1->start();
    QVERIFY(w->close());
    QVERIFY(w);  // deleted later, not at once
    QVERIFY(!w->Animate1->isRunning());
    QVERIFY(!w->Timer1->isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.isNull());
}

QTEST_MAIN(TestTfrmWeryfikacja)
#include "test_TfrmWeryfikacja.moc"
