#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/QtPrompts.h"

using namespace tavik::platform;

class QtPromptsTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxes() {
        using I = PromptIcon;
        using B = PromptButtons;
        using A = PromptAnswer;
        using Q = QMessageBox;
        // The button texts are sorted: their order on the screen is the style's. No click: Escape.
        const std::tuple<I, Q::Icon, B, QString, QString, A> cases[] = {
            {I::Error, Q::Critical, B::Ok, "OK", "OK", A::Ok},
            {I::Information, Q::Information, B::OkCancel, "Anuluj OK", "Anuluj", A::Cancel},
            {I::Warning, Q::Warning, B::OkCancel, "Anuluj OK", "", A::Cancel},
            {I::Question, Q::Question, B::YesNo, "Nie Tak", "Nie", A::No},
            {I::Question, Q::Question, B::YesNo, "Nie Tak", "", A::No},
            {I::None, Q::NoIcon, B::YesNoCancel, "Anuluj Nie Tak", "Tak", A::Yes},
            {I::Warning, Q::Warning, B::YesNoCancel, "Anuluj Nie Tak", "", A::Cancel}};
        for (const auto& [icon, boxIcon, buttons, texts, click, answer] : cases) {
            QString seen;
            // Within the loop that shows the box.
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QStringList names;
                for (QAbstractButton* b : box->buttons())
                    names << b->text();
                names.sort();
                seen = QStringList{box->windowTitle(), box->text(), QString::number(box->icon()),
                                   names.join(' '), box->defaultButton()->text()}
                           .join('|');
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == click) return b->click();
                QTest::keyClick(box, Qt::Key_Escape);
            });
            QCOMPARE(QtPrompts().message(nullptr, "Plik nie istnieje!", "Błąd", icon, buttons),
                     answer);
            // The first button is the default one, as on Windows.
            const QString first = texts.endsWith("Tak") ? "Tak" : "OK";
            QCOMPARE(seen,
                     QString("Błąd|Plik nie istnieje!|%1|%2|%3").arg(boxIcon).arg(texts, first));
        }
    }
};

QTEST_MAIN(QtPromptsTest)
#include "test_QtPrompts.moc"
