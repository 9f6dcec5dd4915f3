#include "app/main_status_bar.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

namespace arkona::app {

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("stbStav"));
    const int widths[3] = {130, 130, 0};
    for (int i = 0; i < 3; ++i) {
        panel_[i] = new QLabel(this);
        panel_[i]->setObjectName(QStringLiteral("lblPanel%1").arg(i + 1));
        panel_[i]->setFrameShape(QFrame::StyledPanel);
        panel_[i]->setFrameShadow(QFrame::Sunken);
        if (widths[i] > 0) {
            panel_[i]->setMinimumWidth(widths[i]);
        }
        addWidget(panel_[i], widths[i] > 0 ? 0 : 1);
    }
    prbStatus_ = new QProgressBar(this);
    prbStatus_->setObjectName(QStringLiteral("prbStatus"));
    prbStatus_->setMaximumWidth(160);
    prbStatus_->setMaximumHeight(fontMetrics().height() + 2);
    prbStatus_->setTextVisible(false);
    addPermanentWidget(prbStatus_);
    prbStatus_->hide();
}

void MainStatusBar::setPanel(int panel, const QString& text) {
    if (panel >= 1 && panel <= 3) {
        panel_[panel - 1]->setText(text);
    }
}

QString MainStatusBar::panel(int panel) const {
    return panel >= 1 && panel <= 3 ? panel_[panel - 1]->text() : QString();
}

void MainStatusBar::show(const std::string& text) {
    if (text.empty()) {
        clearMessage();
    } else {
        showMessage(QString::fromStdString(text));
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainStatusBar::startProgress(int maximum) {
    prbStatus_->setRange(0, maximum);
    prbStatus_->setValue(0);
    prbStatus_->show();
}

void MainStatusBar::setProgress(int position) {
    prbStatus_->setValue(position);
}

void MainStatusBar::stepProgress() {
    prbStatus_->setValue(std::min(prbStatus_->value() + 1, prbStatus_->maximum()));
}

void MainStatusBar::hideProgress() {
    prbStatus_->hide();
}

} // namespace arkona::app
