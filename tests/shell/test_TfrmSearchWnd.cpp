#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "shell/TfrmSearchWnd.h"
#include "tests/support/qt/Clerk.h"

using namespace tavik;

using test::type;

class TfrmSearchWndTest : public QObject {
    Q_OBJECT

    QStringList searches_;  // each search the window ran: "<text> <whole content>"
    std::unique_ptr<TfrmSearchWnd> window_;

private slots:
    void init() {
        searches_.clear();
        window_ = std::make_unique<TfrmSearchWnd>([this](const QString& text, bool whole) {
            searches_ << QStringLiteral("%1 %2").arg(text).arg(whole);
        });
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void captionsAndAFixedBorder() {
        TfrmSearchWnd& w = *window_;
        const QStringList texts{
            w.objectName(),   w.windowTitle(),     w.findChild<QLabel*>()->text(),
            w.chkAll->text(), w.btnSearch->text(), w.btnNext->text(),
            w.Button2->text()};
        QCOMPARE(texts, QStringList({"frmSearchWnd", "Wyszukiwanie", "Wyszukiwany ciąg znakowy",
                                     "Przeszukiwanie całej zawartości", "Szukaj", "Następny >>",
                                     "Anuluj"}));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(!w.isSizeGripEnabled());
    }

    // Typed in capitals wherever the cursor stands; the window searches for what it shows.
    void theTextIsTheEditsInCapitals() {
        type(window_->edSearchStr, "kowalśki");
        QCOMPARE(window_->edSearchStr->text(), "KOWALŚKI");
        window_->edSearchStr->home(false);
        type(window_->edSearchStr, "ż");
        QCOMPARE(window_->edSearchStr->text(), "ŻKOWALŚKI");
        QCOMPARE(window_->edSearchStr->cursorPosition(), 1);
        window_->btnNext->click();
        QCOMPARE(searches_, QStringList{"ŻKOWALŚKI 0"});
    }

    // Enter steps whatever the box says, and the window stays for the next step.
    void enterAndNextStepSearchFollowsTheBox() {
        window_->edSearchStr->setText("NOWAK");
        window_->edSearchStr->setFocus();
        for (bool whole : {false, true}) {
            window_->chkAll->setChecked(whole);
            QTest::keyClick(window_->edSearchStr, Qt::Key_Return);
            QTest::keyClick(window_->edSearchStr, Qt::Key_Enter, Qt::KeypadModifier);
            window_->btnNext->click();
            window_->btnSearch->click();
        }
        QCOMPARE(searches_, QStringList({"NOWAK 0", "NOWAK 0", "NOWAK 0", "NOWAK 0", "NOWAK 0",
                                         "NOWAK 0", "NOWAK 0", "NOWAK 1"}));
        QVERIFY(window_->isVisible());
        QCOMPARE(window_->result(), int(QDialog::Rejected));  // nothing accepted it
    }

    void cancelAndEscapeReject() {
        for (const auto& close : std::initializer_list<std::function<void()>>{
                 [this] { window_->Button2->click(); },
                 [this] { QTest::keyClick(window_->edSearchStr, Qt::Key_Escape); }}) {
            window_->setResult(-1);
            window_->show();
            close();
            QVERIFY(!window_->isVisible());
            QCOMPARE(window_->result(), int(QDialog::Rejected));
        }
        QCOMPARE(searches_, QStringList());
    }
};

QTEST_MAIN(TfrmSearchWndTest)
#include "test_TfrmSearchWnd.moc"
