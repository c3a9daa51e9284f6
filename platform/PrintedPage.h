#pragma once

#include <QString>
#include <memory>

class QPagedPaintDevice;
class QTextDocument;

namespace tavik::platform {

// A filled application page (HTML, UTF-8) laid out for A4 paper, as it is previewed, printed
// and saved as PDF. Pictures and links of the page are found relative to `folder`.
std::unique_ptr<QTextDocument> printedPage(const QString& html, const QString& folder = {});

// The page laid out on the device's printable area and printed on it.
void printPage(QTextDocument& page, QPagedPaintDevice& device);

// The page printed to a PDF file on A4. False, with the reason (Polish), when the file cannot be
// written.
bool writePagePdf(QTextDocument& page, const QString& pdfPath, QString* reason);

}  // namespace tavik::platform
