#pragma once

#include "base/progress.h"

#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace arkona::app {

// The main window's status bar: three panels, a one-text mode for the messages of long work
// (the panels are hidden meanwhile) and a progress bar at its right end.
class MainStatusBar : public QStatusBar, public arkona::StatusLine {
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    void setPanel(int panel, const QString& text); // 1, 2 or 3
    QString panel(int panel) const;

    // StatusLine: non-empty text switches to the one-text mode, empty text back to the panels.
    void show(const std::string& text) override;

    void startProgress(int maximum);
    void setProgress(int position);
    void stepProgress();
    void hideProgress();
    QProgressBar* progressBar() const { return prbStatus_; }

private:
    QLabel* panel_[3];
    QProgressBar* prbStatus_;
};

} // namespace arkona::app
