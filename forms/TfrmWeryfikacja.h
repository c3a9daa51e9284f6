#pragma once

#include <QWidget>

class QCloseEvent;
class QFrame;
class QLabel;
class QTimer;

namespace tavik {

// A magnifier circling over a sheet, as a search in progress: eight frames shown in a loop.
class SearchAnimation : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFrames = 8;
    static constexpr int kFrameMs = 120;

    explicit SearchAnimation(QWidget* parent = nullptr);

    void start();
    void stop();
    bool isRunning() const;
    int frame() const { return frame_; }
    // The next frame; after the last one the first.
    void advance();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer* frameTimer_;
    int frame_ = 0;
};

// The wait panel shown while an opened file is verified: frameless, above the other windows, a
// sunken panel with the animation and the text "Trwa weryfikacja". Its timer repaints the panel
// every second, so that it stays drawn while the program is busy. Closing it stops both and
// deletes it.
class TfrmWeryfikacja : public QWidget {
    Q_OBJECT
public:
    explicit TfrmWeryfikacja(QWidget* owner = nullptr);

    // Shows the panel over its owner (or the screen) and draws it at once.
    void showAndPaint();

    QFrame* Panel1;
    SearchAnimation* Animate1;
    QLabel* stStatus;
    QTimer* Timer1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Timer1Timer();
};

}  // namespace tavik
