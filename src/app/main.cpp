#include "app/main_window.h"
#include "app/program_folders.h"
#include "catalogue/calculated_columns.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/user_settings.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <filesystem>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ArkonaPro"));
    // Qt's own dialogs (file chooser, edit menus) speak Czech too, when the translations are installed.
    QTranslator qtCzech;
    if (qtCzech.load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtCzech);
    }

    const QStringList args = QApplication::arguments();
    if (args.size() > 2 || (args.size() == 2 && (args[1] == "--help" || args[1] == "-h"))) {
        std::fputs("Použití: arkonapro [SLOŽKA_PROJEKTU]\n", args.size() > 2 ? stderr : stdout);
        return args.size() > 2 ? 2 : 0;
    }
    // Made absolute before the working folder changes.
    std::optional<std::filesystem::path> project;
    if (args.size() == 2) {
        project = std::filesystem::absolute(args[1].toStdString());
    }

    namespace fs = std::filesystem;
    const fs::path programFolder =
        arkona::app::programStartFolder(QApplication::applicationDirPath().toStdString());
    arkona::storage::UserSettings::setProgramFolder(programFolder);
    std::error_code ec;
    fs::current_path(programFolder, ec);

    arkona::storage::UserSettings settings;
    arkona::storage::ProjectContext context;
    arkona::storage::TData2 data;
    arkona::catalogue::installCalculatedColumns(data, context);
    arkona::app::TArkona1 window(context, data, settings);
    if (project) {
        window.setStartProject(*project);
    }
    window.show();
    return QApplication::exec();
}
