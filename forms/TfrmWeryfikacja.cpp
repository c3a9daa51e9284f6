#include "forms/TfrmWeryfikacja.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <numbers>

#include "flatpaint/IconLibrary.h"

namespace tavik {

namespace {

constexpr int kSheetSize = 32;
constexpr int kLensSize = 24;
// Where the middle of the lens lies in the magnifier's picture, and how far it circles.
constexpr qreal kLensCentre = kLensSize * 6.5 / 16;
constexpr qreal kOrbit = 7;

}  // namespace

SearchAnimation::SearchAnimation(QWidget* parent) : QWidget(parent), frameTimer_(new QTimer(this)) {
    frameTimer_->setInterval(kFrameMs);
    connect(frameTimer_, &QTimer::timeout, this, &SearchAnimation::advance);
    setFixedSize(sizeHint());
}

void SearchAnimation::start() {
    frameTimer_->start();
}

void SearchAnimation::stop() {
    frameTimer_->stop();
}

bool SearchAnimation::isRunning() const {
    return frameTimer_->isActive();
}

void SearchAnimation::advance() {
    frame_ = (frame_ + 1) % kFrames;
    update();
}

QSize SearchAnimation::sizeHint() const {
    return {56, 52};
}

void SearchAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPointF centre(width() / 2.0, height() / 2.0);
    p.drawPixmap(QPointF(centre.x() - kSheetSize / 2.0, centre.y() - kSheetSize / 2.0),
                 icons::pixmap(icons::kDocumentWindow, kSheetSize));
    // The lens goes round the middle of the sheet, starting at the top, clockwise.
    const qreal angle = -std::numbers::pi / 2 + frame_ * 2 * std::numbers::pi / kFrames;
    const QPointF lens = centre + QPointF(std::cos(angle), std::sin(angle)) * kOrbit;
    p.drawPixmap(QPointF(lens.x() - kLensCentre, lens.y() - kLensCentre),
                 icons::pixmap(icons::kSearch, kLensSize));
}

TfrmWeryfikacja::TfrmWeryfikacja(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Panel1(new QFrame(this)),
      Animate1(new SearchAnimation(Panel1)),
      stStatus(new QLabel(QStringLiteral("Trwa weryfikacja"), Panel1)),
      Timer1(new QTimer(this)) {
    setObjectName(QStringLiteral("TfrmWeryfikacja"));
    setAttribute(Qt::WA_DeleteOnClose);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Animate1->setObjectName(QStringLiteral("Animate1"));
    stStatus->setObjectName(QStringLiteral("stStatus"));
    Timer1->setObjectName(QStringLiteral("Timer1"));

    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    QFont bold = stStatus->font();
    bold.setBold(true);
    stStatus->setFont(bold);

    auto* inner = new QHBoxLayout(Panel1);
    inner->setContentsMargins(12, 8, 20, 8);
    inner->setSpacing(12);
    inner->addWidget(Animate1);
    inner->addWidget(stStatus, 1);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(3, 3, 3, 3);
    outer->addWidget(Panel1);
    setFixedSize(sizeHint().expandedTo(QSize(240, 0)));

    Animate1->start();
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TfrmWeryfikacja::Timer1Timer);
    Timer1->start();
}

void TfrmWeryfikacja::showAndPaint() {
    const QWidget* owner = parentWidget();
    const QRect area = owner ? owner->window()->frameGeometry()
                             : QGuiApplication::primaryScreen()->availableGeometry();
    move(area.center() - rect().center());
    show();
    raise();
    // The caller goes on working without returning to the event loop: draw now.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    Panel1->repaint();
}

void TfrmWeryfikacja::Timer1Timer() {
    Panel1->repaint();
}

void TfrmWeryfikacja::closeEvent(QCloseEvent* event) {
    Animate1->stop();
    Timer1->stop();
    event->accept();
}

}  // namespace tavik
