#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

class QAction;
class QMenu;
class QObject;
class QWidget;

namespace arkona::app {

inline constexpr const char* kNotAvailableYet = "Zatím není k dispozici.";

// Which commands of a window work and which wait for an open project. A command whose work is
// not in the program yet stays disabled and says so in its status tip.
class CommandSet {
public:
    enum Scope { Always, Project };
    enum Readiness { Ready, NotYet };

    QAction* add(QObject* owner, const char* name, const QString& caption,
                 const QKeySequence& shortcut, Scope scope, Readiness readiness);
    // A whole menu or a control that needs an open project.
    void addProjectMenu(QMenu* menu);
    void addProjectWidget(QWidget* widget);

    void setProjectOpen(bool open);
    bool projectOpen() const { return projectOpen_; }
    // Re-reads which commands are ready (a command becomes ready when its window is built).
    void setReady(QAction* action, bool ready);
    bool isReady(const QAction* action) const;

private:
    void update(QAction* action) const;

    struct Entry {
        QAction* action;
        Scope scope;
        bool ready;
    };
    QList<Entry> entries_;
    QList<QMenu*> menus_;
    QList<QWidget*> widgets_;
    bool projectOpen_ = false;
};

} // namespace arkona::app
