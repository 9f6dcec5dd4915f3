#pragma once

#include "base/progress.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace arkona::app {

class ProgressAnimation;

// The shared progress window. The caller chooses the button, the bars and the animation; the
// button and Esc only set the cancel flag, which the caller polls between steps.
class TfrmTherm : public QDialog, public arkona::Progress {
    Q_OBJECT
public:
    explicit TfrmTherm(QWidget* parent = nullptr);

    void start(const ProgressSetup& setup) override;
    void setMessage(const std::string& text) override;
    void setMaximum(int bar, int maximum) override;
    void setPosition(int bar, int position) override;
    void step(int bar) override;
    bool cancelRequested() override;
    void resetCancel() override;
    void finish() override;

    bool cancelFlag() const { return cancel_; }

protected:
    void reject() override; // Esc and the title bar's close button
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* bar(int which) const;

    QLabel* lblZprava_;
    QProgressBar* prbPrubeh1_;
    QProgressBar* prbPrubeh2_;
    ProgressAnimation* aniProgress_;
    QPushButton* pbStorno_;
    bool cancel_ = false;
};

} // namespace arkona::app
