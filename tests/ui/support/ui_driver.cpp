#include "support/ui_driver.h"

#include "base/dbf/table.h"
#include "base/profile.h"
#include "storage/schema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <memory>

namespace arkona::uitest {

Answer ScriptedPrompter::askCaptioned(const std::string& caption, MessageKind kind, Buttons buttons,
                                      const std::string& text, Answer defaultAnswer) {
    messages_.push_back({caption, kind, buttons, text, defaultAnswer});
    if (script_.empty()) {
        ++unexpected_;
        return defaultAnswer;
    }
    const Answer a = script_.front();
    script_.pop_front();
    return a;
}

std::vector<std::string> ScriptedPrompter::texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages_) {
        out.push_back(m.text);
    }
    return out;
}

QAction* action(QObject* root, const char* name) {
    for (QAction* a : root->findChildren<QAction*>()) {
        if (a->objectName() == QLatin1String(name)) {
            return a;
        }
    }
    return nullptr;
}

void whenModal(const char* objectName, std::function<void(QWidget*)> step) {
    auto* timer = new QTimer;
    // Measured in time, not ticks: on a loaded machine the window may take a while to show.
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    const QString name = QString::fromLatin1(objectName);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, name, step] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == name && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            step(modal);
            // A failed check returns from the step with the window still open; closing it lets
            // the test report the failure instead of waiting for its time limit.
            if (QTest::currentTestFailed() && modal->isVisible()) {
                modal->close();
            }
        } else if (clock->elapsed() > 30000) {
            timer->stop();
            timer->deleteLater();
            qWarning("modal window %s was not shown", qPrintable(name));
        }
    });
    timer->start(10);
}

QString saveScreenshot(QWidget* widget, const QString& name) {
    QDir().mkpath(QStringLiteral(ARKONA_SCREENSHOT_DIR));
    const QString file = QStringLiteral(ARKONA_SCREENSHOT_DIR "/") + name + QStringLiteral(".png");
    widget->grab().save(file, "PNG");
    return file;
}

std::filesystem::path makeProject(const std::filesystem::path& folder, const std::string& name) {
    std::filesystem::create_directories(folder / "_dbf");
    ProfileFile ini(folder / "ArkonaTree.ini");
    ini.writeString("Projekt", "Name", name);
    ini.save();
    for (const auto& schema : storage::projectTables()) {
        dbf::Table::create(folder / "_dbf" / schema.fileName, schema.fields());
    }
    return folder;
}

std::string profileValue(const std::filesystem::path& file, const char* section, const char* key) {
    return ProfileFile(file).readString(section, key, "<none>");
}

} // namespace arkona::uitest
