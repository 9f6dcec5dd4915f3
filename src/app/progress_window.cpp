#include "app/progress_window.h"

#include "app/progress_animation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace arkona::app {

namespace {
constexpr int kWidthWithButton = 460;
constexpr int kWidthWithoutButton = 360;

QString shownText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}
} // namespace

TfrmTherm::TfrmTherm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmTherm"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    aniProgress_ = new ProgressAnimation(this);
    lblZprava_ = new QLabel(this);
    lblZprava_->setObjectName(QStringLiteral("lblZprava"));
    lblZprava_->setWordWrap(true);
    lblZprava_->setMinimumHeight(2 * fontMetrics().height() + 4);
    prbPrubeh1_ = new QProgressBar(this);
    prbPrubeh1_->setObjectName(QStringLiteral("prbPrubeh1"));
    prbPrubeh2_ = new QProgressBar(this);
    prbPrubeh2_->setObjectName(QStringLiteral("prbPrubeh2"));
    pbStorno_ = new QPushButton(QStringLiteral("Storno"), this);
    pbStorno_->setObjectName(QStringLiteral("pbStorno"));
    connect(pbStorno_, &QPushButton::clicked, this, [this] { cancel_ = true; });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pbStorno_);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(aniProgress_, 0, Qt::AlignHCenter);
    layout->addWidget(lblZprava_);
    layout->addWidget(prbPrubeh1_);
    layout->addWidget(prbPrubeh2_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmTherm::start(const ProgressSetup& setup) {
    cancel_ = false;
    setWindowTitle(QString::fromStdString(setup.title));
    lblZprava_->setText(shownText(setup.message));
    pbStorno_->setVisible(setup.cancelButton);
    const int width = setup.cancelButton ? kWidthWithButton : kWidthWithoutButton;
    lblZprava_->setFixedWidth(width);
    prbPrubeh1_->setRange(0, setup.maximum1);
    prbPrubeh1_->setValue(0);
    prbPrubeh2_->setRange(0, setup.maximum2);
    prbPrubeh2_->setValue(0);
    prbPrubeh1_->setVisible(setup.bars != ProgressBars::None);
    prbPrubeh2_->setVisible(setup.bars == ProgressBars::Both);
    aniProgress_->setKind(setup.animation);
    aniProgress_->setVisible(setup.animation != arkona::ProgressAnimation::None);
    aniProgress_->setRunning(setup.animation != arkona::ProgressAnimation::None);
    show();
    raise();
    QApplication::processEvents();
}

void TfrmTherm::setMessage(const std::string& text) {
    lblZprava_->setText(shownText(text));
    QApplication::processEvents();
}

QProgressBar* TfrmTherm::bar(int which) const {
    return which == 2 ? prbPrubeh2_ : prbPrubeh1_;
}

void TfrmTherm::setMaximum(int which, int maximum) {
    bar(which)->setMaximum(maximum);
}

void TfrmTherm::setPosition(int which, int position) {
    bar(which)->setValue(position);
    QApplication::processEvents();
}

void TfrmTherm::step(int which) {
    QProgressBar* b = bar(which);
    b->setValue(std::min(b->value() + 1, b->maximum()));
    QApplication::processEvents();
}

bool TfrmTherm::cancelRequested() {
    // The click on "Storno" is among the pending events.
    QApplication::processEvents();
    return cancel_;
}

void TfrmTherm::resetCancel() {
    cancel_ = false;
}

void TfrmTherm::finish() {
    aniProgress_->setRunning(false);
    hide();
}

void TfrmTherm::reject() {
    // Only the worker may end the window; Esc asks it to.
    if (pbStorno_->isVisible()) {
        cancel_ = true;
    }
}

void TfrmTherm::closeEvent(QCloseEvent* event) {
    if (pbStorno_->isVisible()) {
        cancel_ = true;
    }
    event->ignore();
}

} // namespace arkona::app
