#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include "forms/TfrmWeryfikacja.h"

using tavik::SearchAnimation;
using tavik::TfrmWeryfikacja;

namespace {

// Counts the paint events of one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* watched) { watched->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

}  // namespace

class TestTfrmWeryfikacja : public QObject {
    Q_OBJECT

private slots:
    void isAFramelessPanelAboveTheOthersSayingItVerifies();
    void itsTimerRepaintsThePanelEverySecond();
    void theAnimationLoopsOverEightDifferentFrames();
    void closingStopsBothTimersAndDeletesTheWindow();
    void screenshot();
};

void TestTfrmWeryfikacja::isAFramelessPanelAboveTheOthersSayingItVerifies() {
    QWidget owner;
    auto* w = new TfrmWeryfikacja(&owner);
    QVERIFY(w->isWindow());
    QVERIFY(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(w->stStatus->text(), QString("Trwa weryfikacja"));
    QCOMPARE(w->Panel1->frameShadow(), QFrame::Sunken);
    QCOMPARE(w->Animate1->parentWidget(), w->Panel1);
    QCOMPARE(w->stStatus->parentWidget(), w->Panel1);

    w->showAndPaint();
    QVERIFY(w->isVisible());
    QVERIFY(w->stStatus->isVisible());
    QVERIFY(w->Animate1->isVisible());
    // The text is not cut.
    QVERIFY(w->stStatus->width() >= w->stStatus->sizeHint().width());
    delete w;
}

void TestTfrmWeryfikacja::itsTimerRepaintsThePanelEverySecond() {
    auto* w = new TfrmWeryfikacja;
    QCOMPARE(w->Timer1->interval(), 1000);
    QVERIFY(w->Timer1->isActive());
    w->showAndPaint();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    // With the animation held, only the timer draws the panel.
    w->Animate1->stop();
    QCoreApplication::processEvents();
    PaintCounter counter(w->Panel1);
    QTest::qWait(400);
    QCOMPARE(counter.paints, 0);
    QTRY_VERIFY_WITH_TIMEOUT(counter.paints > 0, 2000);
    delete w;
}

void TestTfrmWeryfikacja::theAnimationLoopsOverEightDifferentFrames() {
    SearchAnimation animation;
    QCOMPARE(SearchAnimation::kFrames, 8);
    QCOMPARE(animation.frame(), 0);
    QList<QImage> frames;
    for (int i = 0; i < SearchAnimation::kFrames; ++i) {
        QCOMPARE(animation.frame(), i);
        frames << animation.grab().toImage();
        animation.advance();
    }
    QCOMPARE(animation.frame(), 0);
    QCOMPARE(animation.grab().toImage(), frames.first());
    for (qsizetype i = 0; i < frames.size(); ++i)
        for (qsizetype j = i + 1; j < frames.size(); ++j)
            QVERIFY2(frames[i] != frames[j], qPrintable(QString("frames %1 and %2").arg(i).arg(j)));

    // Started, it moves by itself.
    QVERIFY(!animation.isRunning());
    animation.start();
    QTRY_VERIFY_WITH_TIMEOUT(animation.frame() != 0, 2000);
}

void TestTfrmWeryfikacja::closingStopsBothTimersAndDeletesTheWindow() {
    QPointer<TfrmWeryfikacja> w = new TfrmWeryfikacja;
    w->showAndPaint();
    QVERIFY(w->Animate1->isRunning());
    QVERIFY(w->Timer1->isActive());
    QVERIFY(w->close());
    QVERIFY(w);  // deleted later, not at once
    QVERIFY(!w->Animate1->isRunning());
    QVERIFY(!w->Timer1->isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.isNull());
}

// With TAVIK_SCREENSHOTS naming a folder, the window is drawn there at each frame of its
// animation.
void TestTfrmWeryfikacja::screenshot() {
    const QString folder = qEnvironmentVariable("TAVIK_SCREENSHOTS");
    if (folder.isEmpty()) QSKIP("TAVIK_SCREENSHOTS is not set");
    auto* w = new TfrmWeryfikacja;
    w->showAndPaint();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->Animate1->stop();
    QVERIFY(w->grab().save(QDir(folder).filePath("TfrmWeryfikacja.png")));
    for (int i = 0; i < SearchAnimation::kFrames; ++i) {
        QVERIFY(w->Animate1->grab().save(
            QDir(folder).filePath(QString("Animate1-%1.png").arg(w->Animate1->frame()))));
        w->Animate1->advance();
    }
    w->close();
}

QTEST_MAIN(TestTfrmWeryfikacja)
#include "test_TfrmWeryfikacja.moc"
