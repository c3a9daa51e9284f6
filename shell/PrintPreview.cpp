#include "shell/PrintPreview.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTextDocument>
#include <QToolBar>

#include "flatpaint/IconLibrary.h"
#include "platform/PrintedPage.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"

namespace tavik {

namespace {

QString pageText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

PrintPreview::PrintPreview(const QString& pagePath, QWidget* parent)
    : QPrintPreviewDialog(parent),
      page_(platform::printedPage(pageText(pagePath), QFileInfo(pagePath).path())) {
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(QStringLiteral("Podgląd wydruku"));
    printer()->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { platform::printPage(*page_, *printer); });
    auto* pdf = new QAction(icons::icon(icons::kSave), QStringLiteral("Zapisz jako PDF"), this);
    pdf->setObjectName(QStringLiteral("SaveAsPdf"));
    pdf->setToolTip(QStringLiteral("Zapisuje wydruk do pliku PDF"));
    connect(pdf, &QAction::triggered, this, [this] { saveAsPdf(); });
    if (auto* toolbar = findChild<QToolBar*>()) {
        toolbar->addSeparator();
        toolbar->addAction(pdf);
        toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    resize(900, 820);
}

PrintPreview::~PrintPreview() = default;

QString PrintPreview::saveAsPdf() {
    platform::FileDialogOptions options;
    options.title = QStringLiteral("Zapisz jako PDF");
    options.filter = QStringLiteral("Pliki PDF (*.pdf)");
    // Beside the applications, where the clerk keeps what goes with them.
    options.directory = Settings().ApplicationsDirOr(QDir::homePath());
    QString path = platform::Prompts::current().saveFile(this, options);
    if (path.isEmpty()) return {};
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    QString reason;
    if (platform::writePagePdf(*page_, path, &reason)) return path;
    platform::showMessage(this, QStringLiteral("Nie można zapisać pliku %1: %2.").arg(path, reason),
                          QStringLiteral("Błąd"), platform::PromptIcon::Error);
    return {};
}

}  // namespace tavik
