#pragma once

#include <QPrintPreviewDialog>
#include <memory>

class QTextDocument;

namespace tavik {

// The print preview of a filled application page on A4: the clerk pages through it, sets the
// page up, prints it, or saves it as PDF ("Zapisz jako PDF").
class PrintPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    explicit PrintPreview(const QString& pagePath, QWidget* parent = nullptr);
    ~PrintPreview() override;

    QTextDocument& page() { return *page_; }
    // Asks for a file name and writes the page there as PDF; the file written, or "" when the
    // clerk cancelled or it could not be written (which is told).
    QString saveAsPdf();

private:
    std::unique_ptr<QTextDocument> page_;
};

}  // namespace tavik
