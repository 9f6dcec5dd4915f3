#pragma once

#include "base/progress.h"

#include <QTimer>
#include <QWidget>

namespace arkona::app {

// The small moving picture of the progress window: a sheet flying from one folder to another
// (file copy) or a magnifier sweeping over a folder (search).
class ProgressAnimation : public QWidget {
    Q_OBJECT
public:
    explicit ProgressAnimation(QWidget* parent = nullptr);

    void setKind(arkona::ProgressAnimation kind);
    arkona::ProgressAnimation kind() const { return kind_; }
    void setRunning(bool running);
    int frame() const { return frame_; }

    QSize sizeHint() const override { return {240, 48}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintFolder(class QPainter& p, const QRect& r) const;

    arkona::ProgressAnimation kind_ = arkona::ProgressAnimation::FileCopy;
    QTimer timer_;
    int frame_ = 0;
};

} // namespace arkona::app
