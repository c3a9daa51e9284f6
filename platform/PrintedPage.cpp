#include "platform/PrintedPage.h"

#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

namespace tavik::platform {

namespace {

// The forms are written for an A4 page with margins a clerk's printer can hold.
QPageLayout a4Layout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

}  // namespace

std::unique_ptr<QTextDocument> printedPage(const QString& html, const QString& folder) {
    auto page = std::make_unique<QTextDocument>();
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(10);
    page->setDefaultFont(font);
    if (!folder.isEmpty()) page->setBaseUrl(QUrl::fromLocalFile(folder + QLatin1Char('/')));
    // The forms break their pages with a <br> carrying the break, which the rich text engine
    // honours on a paragraph only; the page file keeps the form's own markup.
    QString laidOut = html;
    laidOut.replace(QStringLiteral("<br clear=all style='page-break-before:always;"
                                   "mso-break-type:section-break'>"),
                    QStringLiteral("<p style=\"page-break-before: always\"></p>"),
                    Qt::CaseInsensitive);
    page->setHtml(laidOut);
    return page;
}

bool writePagePdf(QTextDocument& page, const QString& pdfPath, QString* reason) {
    {
        // QPdfWriter says nothing when it cannot write: try the file first.
        QFile probe(pdfPath);
        if (!probe.open(QIODevice::WriteOnly)) {
            if (reason) *reason = probe.errorString();
            return false;
        }
    }
    QPdfWriter writer(pdfPath);
    writer.setPageLayout(a4Layout());
    writer.setResolution(300);
    writer.setCreator(QStringLiteral("Tavik"));
    printPage(page, writer);
    return true;
}

void printPage(QTextDocument& page, QPagedPaintDevice& device) {
    // Laid out as a browser lays a page out for print: 96 pixels to the inch of the printable
    // area, which the forms' fixed widths are written for; printing scales it to the paper.
    page.setPageSize(device.pageLayout().paintRect(QPageLayout::Inch).size() * 96);
    page.print(&device);
}

}  // namespace tavik::platform
