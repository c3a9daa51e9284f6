#include <QAction>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QToolBar>

#include "shell/PrintPreview.h"
#include "tests/support/qt/ScriptedPrompts.h"
#include "tests/support/qt/TempRegistry.h"

using namespace tavik;

// The preview of a page of two sheets: its PDF button, and the page laid out on A4.
class PrintPreviewTest : public QObject {
    Q_OBJECT

    test::TempRegistry registry_;
    QTemporaryDir dir_;
    test::ScriptedPrompts prompts_;

    QString page() {
        const QString path = dir_.filePath("tmp.htm");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(
            "<html><body><p>WNIOSEK — Zażółć</p><br clear=all "
            "style='page-break-before:always;mso-break-type:section-break'>"
            "<p>/C</p></body></html>");
        return path;
    }

private slots:
    void savesThePageAsPdf() {
        PrintPreview preview(page());
        QCOMPARE(preview.windowTitle(), "Podgląd wydruku");
        QAction* pdf = preview.findChild<QAction*>("SaveAsPdf");
        QVERIFY(pdf);
        QCOMPARE(pdf->text(), "Zapisz jako PDF");
        QVERIFY(preview.findChild<QToolBar*>()->actions().contains(pdf));
        QVERIFY(preview.page().toPlainText().contains("Zażółć"));

        // A name without extension gets ".pdf"; cancelling writes nothing.
        prompts_.chooseSaveName(dir_.filePath("wniosek"));
        QCOMPARE(preview.saveAsPdf(), dir_.filePath("wniosek.pdf"));
        QFile written(dir_.filePath("wniosek.pdf"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.read(5), QByteArray("%PDF-"));
        QCOMPARE(preview.saveAsPdf(), QString());  // no name given
        QCOMPARE(prompts_.messages(), QStringList());

        const QString nowhere = dir_.filePath("brak/wniosek.pdf");
        prompts_.chooseSaveName(nowhere);
        QCOMPARE(preview.saveAsPdf(), QString());
        QCOMPARE(prompts_.messages().size(), 1);
        QVERIFY(prompts_.messages()[0].startsWith("Nie można zapisać pliku " + nowhere + ": "));
    }

    // The form's page break starts a new sheet when the page is printed.
    void theFormsPageBreakStartsASheet() {
        PrintPreview preview(page());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir_.filePath("arkusze.pdf"));
        emit preview.paintRequested(&printer);
        QCOMPARE(preview.page().pageCount(), 2);
    }
};

QTEST_MAIN(PrintPreviewTest)
#include "test_PrintPreview.moc"
