#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/QtPrompts.h"

using tavik::platform::FileDialogOptions;
using tavik::platform::PromptAnswer;
using tavik::platform::PromptButtons;
using tavik::platform::PromptIcon;
using tavik::platform::Prompts;
using tavik::platform::QtPrompts;

namespace {

// Runs `act` on the modal window of type W as soon as it is shown.
template <class W>
void whenShown(std::function<void(W*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* window = qobject_cast<W*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(window);
        }
    });
    timer->start();
}

struct SeenBox {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;  // sorted: their order on the screen is the style's
    QString defaultButton;
};

// Shows a box and answers it by clicking the button with `click` as its text, or with Escape.
PromptAnswer answerBox(PromptIcon icon, PromptButtons buttons, const QString& click,
                       SeenBox* seen) {
    whenShown<QMessageBox>([click, seen](QMessageBox* box) {
        seen->caption = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen->buttons << b->text();
        seen->buttons.sort();
        if (auto* d = box->defaultButton()) seen->defaultButton = d->text();
        if (click.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* b : box->buttons())
            if (b->text() == click) b->click();
    });
    QtPrompts prompts;
    return prompts.message(nullptr, QStringLiteral("Plik nie istnieje!"), QStringLiteral("Błąd"),
                           icon, buttons);
}

}  // namespace

class QtPromptsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString file(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

private slots:
    void initTestCase() {
        for (const char* name : {"a.rpa", "b.rpa", "c.coa"}) {
            QFile f(file(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir().mkpath(file("Słowniki")));
    }

    void messageBoxesShowCaptionTextIconAndPolishButtons() {
        SeenBox seen;
        QCOMPARE(answerBox(PromptIcon::Error, PromptButtons::Ok, QStringLiteral("OK"), &seen),
                 PromptAnswer::Ok);
        QCOMPARE(seen.caption, QStringLiteral("Błąd"));
        QCOMPARE(seen.text, QStringLiteral("Plik nie istnieje!"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});

        const struct {
            PromptIcon icon;
            QMessageBox::Icon shown;
            PromptButtons buttons;
            QStringList texts;
            QString click;
            PromptAnswer answer;
        } cases[] = {
            {PromptIcon::Information,
             QMessageBox::Information,
             PromptButtons::OkCancel,
             {"OK", "Anuluj"},
             "Anuluj",
             PromptAnswer::Cancel},
            {PromptIcon::Warning,
             QMessageBox::Warning,
             PromptButtons::OkCancel,
             {"OK", "Anuluj"},
             "OK",
             PromptAnswer::Ok},
            {PromptIcon::Question,
             QMessageBox::Question,
             PromptButtons::YesNo,
             {"Tak", "Nie"},
             "Nie",
             PromptAnswer::No},
            {PromptIcon::Warning,
             QMessageBox::Warning,
             PromptButtons::YesNoCancel,
             {"Tak", "Nie", "Anuluj"},
             "Tak",
             PromptAnswer::Yes},
            {PromptIcon::None,
             QMessageBox::NoIcon,
             PromptButtons::YesNoCancel,
             {"Tak", "Nie", "Anuluj"},
             "Nie",
             PromptAnswer::No},
        };
        for (const auto& c : cases) {
            SeenBox box;
            QCOMPARE(answerBox(c.icon, c.buttons, c.click, &box), c.answer);
            QCOMPARE(box.icon, c.shown);
            QCOMPARE(box.defaultButton, c.texts.front());
            QStringList sorted = c.texts;
            sorted.sort();
            QCOMPARE(box.buttons, sorted);
        }
    }

    void escapeIsTheBoxesWayOut() {
        SeenBox seen;
        QCOMPARE(answerBox(PromptIcon::Question, PromptButtons::YesNo, {}, &seen),
                 PromptAnswer::No);
        QCOMPARE(answerBox(PromptIcon::Question, PromptButtons::YesNoCancel, {}, &seen),
                 PromptAnswer::Cancel);
        QCOMPARE(answerBox(PromptIcon::Warning, PromptButtons::OkCancel, {}, &seen),
                 PromptAnswer::Cancel);
        QCOMPARE(answerBox(PromptIcon::Information, PromptButtons::Ok, {}, &seen),
                 PromptAnswer::Ok);
    }

    void openOneOrSeveralFiles() {
        QtPrompts prompts;
        const FileDialogOptions options{QStringLiteral("Otwórz"), dir_.path(),
                                        QStringLiteral("Pliki wniosków (*.rpa);;Wszystkie (*)")};
        QFileDialog::FileMode mode{};
        QString title, directory;
        QStringList filters;
        whenShown<QFileDialog>([&](QFileDialog* d) {
            mode = d->fileMode();
            title = d->windowTitle();
            directory = d->directory().absolutePath();
            filters = d->nameFilters();
            d->selectFile(file("b.rpa"));
            static_cast<QDialog*>(d)->accept();  // as the dialog's own button does
        });
        QCOMPARE(prompts.openFiles(nullptr, options, false), QStringList{file("b.rpa")});
        QCOMPARE(mode, QFileDialog::ExistingFile);
        QCOMPARE(title, QStringLiteral("Otwórz"));
        QCOMPARE(directory, dir_.path());
        QCOMPARE(filters, (QStringList{QStringLiteral("Pliki wniosków (*.rpa)"),
                                       QStringLiteral("Wszystkie (*)")}));

        whenShown<QFileDialog>([&](QFileDialog* d) {
            mode = d->fileMode();
            d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("\"a.rpa\" \"b.rpa\""));
            static_cast<QDialog*>(d)->accept();  // as the dialog's own button does
        });
        QCOMPARE(prompts.openFiles(nullptr, options, true),
                 (QStringList{file("a.rpa"), file("b.rpa")}));
        QCOMPARE(mode, QFileDialog::ExistingFiles);

        whenShown<QFileDialog>([](QFileDialog* d) { d->reject(); });
        QCOMPARE(prompts.openFiles(nullptr, options, true), QStringList());
    }

    void saveDoesNotAskAboutReplacing() {
        QtPrompts prompts;
        bool asks = true;
        QFileDialog::AcceptMode acceptMode{};
        whenShown<QFileDialog>([&](QFileDialog* d) {
            asks = !d->testOption(QFileDialog::DontConfirmOverwrite);
            acceptMode = d->acceptMode();
            d->selectFile(file("c.coa"));
            // A question of its own would wait for an answer that never comes.
            if (asks)
                d->reject();
            else
                static_cast<QDialog*>(d)->accept();
        });
        QCOMPARE(prompts.saveFile(nullptr, {QStringLiteral("Zapisz jako"), dir_.path(),
                                            QStringLiteral("Odpowiedzi (*.coa)")}),
                 file("c.coa"));
        QVERIFY(!asks);
        QCOMPARE(acceptMode, QFileDialog::AcceptSave);

        whenShown<QFileDialog>([](QFileDialog* d) { d->reject(); });
        QCOMPARE(prompts.saveFile(nullptr, {}), QString());
    }

    void aFolderWithThePromptAsTitle() {
        QtPrompts prompts;
        QString title;
        QFileDialog::FileMode mode{};
        bool dirsOnly = false;
        whenShown<QFileDialog>([&](QFileDialog* d) {
            title = d->windowTitle();
            mode = d->fileMode();
            dirsOnly = d->testOption(QFileDialog::ShowDirsOnly);
            d->selectFile(file("Słowniki"));
            static_cast<QDialog*>(d)->accept();  // as the dialog's own button does
        });
        QCOMPARE(prompts.chooseFolder(nullptr, QStringLiteral("Wybierz katalog dla słowników..."),
                                      dir_.path()),
                 file("Słowniki"));
        QCOMPARE(title, QStringLiteral("Wybierz katalog dla słowników..."));
        QCOMPARE(mode, QFileDialog::Directory);
        QVERIFY(dirsOnly);

        whenShown<QFileDialog>([](QFileDialog* d) { d->reject(); });
        QCOMPARE(prompts.chooseFolder(nullptr, QStringLiteral("Wybierz"), {}), QString());
    }

    void installedOnceAsTheDefault() {
        QVERIFY(!dynamic_cast<QtPrompts*>(&Prompts::current()));
        tavik::platform::installWidgetPromptsAsDefault();
        Prompts* first = &Prompts::current();
        QVERIFY(dynamic_cast<QtPrompts*>(first));
        tavik::platform::installWidgetPromptsAsDefault();
        QCOMPARE(&Prompts::current(), first);
        Prompts::setDefault(nullptr);
    }
};

QTEST_MAIN(QtPromptsTest)
#include "test_QtPrompts.moc"
