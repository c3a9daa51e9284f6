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

using namespace tavik::platform;

namespace {

// Runs `act` on the modal window of type W as soon as it is shown.
template <class W>
void whenShown(std::function<void(W*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* window = qobject_cast<W*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            act(window);
        }
    });
    timer->start();
}

}  // namespace

class QtPromptsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString file(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

private slots:
    void messageBoxes() {
        const struct {
            PromptIcon icon;
            QMessageBox::Icon shown;
            PromptButtons buttons;
            QString texts;  // sorted: the order on the screen is the style's
            QString click;  // empty: Escape
            PromptAnswer answer;
        } cases[] = {
            {PromptIcon::Error, QMessageBox::Critical, PromptButtons::Ok, "OK", "OK",
             PromptAnswer::Ok},
            {PromptIcon::Information, QMessageBox::Information, PromptButtons::OkCancel,
             "Anuluj OK", "Anuluj", PromptAnswer::Cancel},
            {PromptIcon::Warning, QMessageBox::Warning, PromptButtons::OkCancel, "Anuluj OK", "",
             PromptAnswer::Cancel},
            {PromptIcon::Question, QMessageBox::Question, PromptButtons::YesNo, "Nie Tak", "Nie",
             PromptAnswer::No},
            {PromptIcon::Question, QMessageBox::Question, PromptButtons::YesNo, "Nie Tak", "",
             PromptAnswer::No},
            {PromptIcon::None, QMessageBox::NoIcon, PromptButtons::YesNoCancel, "Anuluj Nie Tak",
             "Tak", PromptAnswer::Yes},
            {PromptIcon::Warning, QMessageBox::Warning, PromptButtons::YesNoCancel,
             "Anuluj Nie Tak", "", PromptAnswer::Cancel},
        };
        for (const auto& c : cases) {
            QString caption, text, texts, defaultButton;
            QMessageBox::Icon icon{};
            whenShown<QMessageBox>([&](QMessageBox* box) {
                caption = box->windowTitle();
                text = box->text();
                icon = box->icon();
                QStringList names;
                for (QAbstractButton* b : box->buttons())
                    names << b->text();
                names.sort();
                texts = names.join(QLatin1Char(' '));
                defaultButton = box->defaultButton()->text();
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == c.click) return b->click();
                QTest::keyClick(box, Qt::Key_Escape);
            });
            QCOMPARE(QtPrompts().message(nullptr, QStringLiteral("Plik nie istnieje!"),
                                         QStringLiteral("Błąd"), c.icon, c.buttons),
                     c.answer);
            QCOMPARE(caption, QStringLiteral("Błąd"));
            QCOMPARE(text, QStringLiteral("Plik nie istnieje!"));
            QCOMPARE(icon, c.shown);
            QCOMPARE(texts, c.texts);
            QCOMPARE(defaultButton,
                     c.buttons == PromptButtons::YesNo || c.buttons == PromptButtons::YesNoCancel
                         ? QStringLiteral("Tak")
                         : QStringLiteral("OK"));
        }
    }

    void fileAndFolderDialogs() {
        for (const char* name : {"a.rpa", "b.rpa"})
            QVERIFY(QFile(file(name)).open(QIODevice::WriteOnly));
        QtPrompts prompts;
        const FileDialogOptions options{QStringLiteral("Otwórz"), dir_.path(),
                                        QStringLiteral("Pliki wniosków (*.rpa);;Wszystkie (*)")};
        QFileDialog::FileMode mode{};
        QStringList filters;
        const auto choose = [&](const QString& typed) {
            whenShown<QFileDialog>([&, typed](QFileDialog* d) {
                mode = d->fileMode();
                filters = d->nameFilters();
                QCOMPARE(d->directory().absolutePath(), dir_.path());
                // Asking about replacing a file would wait for an answer that never comes.
                const bool asks = d->acceptMode() == QFileDialog::AcceptSave &&
                                  !d->testOption(QFileDialog::DontConfirmOverwrite);
                if (typed.isEmpty() || asks) return d->reject();
                d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
                static_cast<QDialog*>(d)->accept();  // as its own button does
            });
        };
        choose(QStringLiteral("b.rpa"));
        QCOMPARE(prompts.openFiles(nullptr, options, false), QStringList{file("b.rpa")});
        QCOMPARE(mode, QFileDialog::ExistingFile);
        QCOMPARE(filters, (QStringList{QStringLiteral("Pliki wniosków (*.rpa)"),
                                       QStringLiteral("Wszystkie (*)")}));
        choose(QStringLiteral("\"a.rpa\" \"b.rpa\""));
        QCOMPARE(prompts.openFiles(nullptr, options, true),
                 (QStringList{file("a.rpa"), file("b.rpa")}));
        QCOMPARE(mode, QFileDialog::ExistingFiles);
        choose({});
        QCOMPARE(prompts.openFiles(nullptr, options, true), QStringList());

        choose(QStringLiteral("a.rpa"));  // an existing file, chosen without a question
        QCOMPARE(prompts.saveFile(nullptr, options), file("a.rpa"));
        QCOMPARE(mode, QFileDialog::AnyFile);

        QVERIFY(QDir().mkpath(file("Słowniki")));
        QString title;
        whenShown<QFileDialog>([&](QFileDialog* d) {
            title = d->windowTitle();
            mode = d->fileMode();
            d->selectFile(file("Słowniki"));
            static_cast<QDialog*>(d)->accept();
        });
        QCOMPARE(prompts.chooseFolder(nullptr, QStringLiteral("Wybierz katalog dla słowników..."),
                                      dir_.path()),
                 file("Słowniki"));
        QCOMPARE(title, QStringLiteral("Wybierz katalog dla słowników..."));
        QCOMPARE(mode, QFileDialog::Directory);
    }

    void installedOnceAsTheDefault() {
        QVERIFY(!dynamic_cast<QtPrompts*>(&Prompts::current()));
        installWidgetPromptsAsDefault();
        Prompts* first = &Prompts::current();
        QVERIFY(dynamic_cast<QtPrompts*>(first));
        installWidgetPromptsAsDefault();
        QCOMPARE(&Prompts::current(), first);
        Prompts::setDefault(nullptr);
    }
};

QTEST_MAIN(QtPromptsTest)
#include "test_QtPrompts.moc"
