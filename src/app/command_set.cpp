#include "app/command_set.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace arkona::app {

QAction* CommandSet::add(QObject* owner, const char* name, const QString& caption,
                         const QKeySequence& shortcut, Scope scope, Readiness readiness) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
    }
    entries_.push_back({action, scope, readiness == Ready});
    update(action);
    return action;
}

void CommandSet::addProjectMenu(QMenu* menu) {
    menus_.push_back(menu);
    menu->menuAction()->setEnabled(projectOpen_);
}

void CommandSet::addProjectWidget(QWidget* widget) {
    widgets_.push_back(widget);
    widget->setEnabled(projectOpen_);
}

void CommandSet::setProjectOpen(bool open) {
    projectOpen_ = open;
    for (const auto& e : entries_) {
        update(e.action);
    }
    for (QMenu* menu : menus_) {
        menu->menuAction()->setEnabled(open);
    }
    for (QWidget* widget : widgets_) {
        widget->setEnabled(open);
    }
}

void CommandSet::setReady(QAction* action, bool ready) {
    for (auto& e : entries_) {
        if (e.action == action) {
            e.ready = ready;
        }
    }
    update(action);
}

bool CommandSet::isReady(const QAction* action) const {
    for (const auto& e : entries_) {
        if (e.action == action) {
            return e.ready;
        }
    }
    return false;
}

void CommandSet::update(QAction* action) const {
    for (const auto& e : entries_) {
        if (e.action != action) {
            continue;
        }
        action->setEnabled(e.ready && (e.scope == Always || projectOpen_));
        action->setStatusTip(e.ready ? QString() : QString::fromUtf8(kNotAvailableYet));
        if (!e.ready) {
            action->setToolTip(action->text().remove(QLatin1Char('&')) + QStringLiteral(" – ") +
                               QString::fromUtf8(kNotAvailableYet));
        }
    }
}

} // namespace arkona::app
