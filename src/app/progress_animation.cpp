#include "app/progress_animation.h"

#include <QPainter>

namespace arkona::app {

namespace {
constexpr int kFrames = 24;
}

ProgressAnimation::ProgressAnimation(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("aniProgress"));
    setMinimumSize(sizeHint());
    timer_.setInterval(80);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kFrames;
        update();
    });
}

void ProgressAnimation::setKind(arkona::ProgressAnimation kind) {
    kind_ = kind;
    frame_ = 0;
    update();
}

void ProgressAnimation::setRunning(bool running) {
    if (running) {
        timer_.start();
    } else {
        timer_.stop();
    }
}

void ProgressAnimation::paintFolder(QPainter& p, const QRect& r) const {
    p.setPen(QColor(120, 90, 0));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(r.x(), r.y(), r.width() / 2, 5);
    p.drawRect(r.x(), r.y() + 5, r.width(), r.height() - 5);
}

void ProgressAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int h = height();
    const QRect left(8, h / 2 - 12, 36, 28);
    const QRect right(width() - 44, h / 2 - 12, 36, 28);
    if (kind_ == arkona::ProgressAnimation::FileCopy) {
        paintFolder(p, left);
        paintFolder(p, right);
        // The sheet flies in an arc from the left folder to the right one.
        const double t = static_cast<double>(frame_) / (kFrames - 1);
        const int x0 = left.center().x();
        const int x1 = right.center().x();
        const int x = static_cast<int>(x0 + (x1 - x0) * t);
        const int y = static_cast<int>(h / 2 - 4 - 16 * 4 * t * (1 - t));
        p.setPen(QColor(60, 60, 60));
        p.setBrush(Qt::white);
        p.drawRect(x - 7, y - 9, 14, 18);
        for (int line = 0; line < 3; ++line) {
            p.drawLine(x - 4, y - 5 + line * 5, x + 4, y - 5 + line * 5);
        }
    } else if (kind_ == arkona::ProgressAnimation::Search) {
        const QRect folder(width() / 2 - 30, h / 2 - 14, 60, 32);
        paintFolder(p, folder);
        const double t = static_cast<double>(frame_) / kFrames;
        const int x =
            folder.left() + static_cast<int>(folder.width() * (t < 0.5 ? 2 * t : 2 - 2 * t));
        const int y = h / 2;
        p.setPen(QPen(QColor(40, 40, 40), 3));
        p.setBrush(QColor(200, 230, 255, 160));
        p.drawEllipse(QPoint(x, y), 10, 10);
        p.drawLine(x + 7, y + 7, x + 15, y + 15);
    }
}

} // namespace arkona::app
