#include "cli/PdfOutput.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdio>
#include <memory>

#include "platform/PrintedPage.h"

namespace tavik::cli {

namespace {

// Laying out a page needs fonts, which need an application; the command line has no display.
void ensureApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The platform's notes (no runtime folder, no display) are not the command's output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(text));
    });
    static int argc = 1;
    static char name[] = "tavik-cli";
    static char* argv[] = {name, nullptr};
    static const auto application = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

bool writePdf(const std::string& html, const std::string& pdfPath, const std::string& folder,
              std::string& reason) {
    ensureApplication();
    const std::unique_ptr<QTextDocument> page = platform::printedPage(
        QString::fromStdString(html), QFile::decodeName(QByteArray::fromStdString(folder)));
    QString why;
    if (platform::writePagePdf(*page, QFile::decodeName(QByteArray::fromStdString(pdfPath)), &why))
        return true;
    reason = why.toStdString();
    return false;
}

}  // namespace tavik::cli
