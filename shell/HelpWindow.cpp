#include "shell/HelpWindow.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tavik {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Tavik - pomoc"));
    // A window of its own, not a box: it stays open while the user works.
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setModal(false);

    browser_->setObjectName(QStringLiteral("Browser"));
    browser_->setOpenExternalLinks(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close =
        buttons->addButton(QStringLiteral("Zamknij"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
    resize(760, 600);
}

bool HelpWindow::showManual(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile()) return false;
    browser_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace tavik
