#pragma once

#include "generator/generation_options.h"
#include "generator/generation_run.h"
#include "generator/progress_texts.h"
#include "site/site_structure.h"
#include "storage/data_module.h"
#include "storage/project_context.h"

#include <QDialog>
#include <QElapsedTimer>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;

namespace arkona::generator::ui {

// "Generování WWW stánek projektu <name>": the options of the generator and its run over the
// open project. "Generuj" renumbers a changed tree, generates the pages of the chosen scope and
// shows each page, its steps and the elapsed and remaining time; "Přerušit" stops the run
// before its next page. The main window opens it from "&Generování HTML".
class TfrmGen : public QDialog {
    Q_OBJECT
public:
    TfrmGen(const storage::ProjectContext& context, storage::TData2& data,
            site::SiteStructure& structure, QWidget* parent = nullptr);
    ~TfrmGen() override;

    // "Generuj": one run with the options the dialog shows.
    void pbGenerujClick();
    // "Přerušit": asks, and on yes stops the run before its next page.
    void pbStopClick();

    bool running() const { return running_; }
    const RunReport& lastReport() const { return report_; }
    // How often a run lets the window's events through, in milliseconds (0: between any two
    // pages). The stop button and the clock work only then.
    void setEventInterval(int milliseconds) { eventInterval_ = milliseconds; }
    void setClock(Clock clock) { run_.setClock(std::move(clock)); }

protected:
    // Esc and the close button: during a run they ask to stop instead of closing.
    void reject() override;

private:
    class Display;

    QWidget* buildParameters();
    QWidget* buildGeneral();
    QWidget* buildPaths();
    QWidget* buildProgress();
    void showOptions(const GenerationOptions& options);
    GenerationOptions options() const;
    GenerationScope scope() const;
    void showDateOptions();
    void showGeneral();
    void setRunning(bool running);
    void timeGenTimer();
    void letEventsThrough(bool force);

    const storage::ProjectContext& context_;
    storage::TData2& data_;
    site::SiteStructure& structure_;
    SiteGeneration run_;
    std::unique_ptr<Display> display_;
    RunReport report_;
    RunClock clock_;
    QElapsedTimer sinceEvents_;
    int eventInterval_ = 25;
    bool running_ = false; // from "Generuj" to the end of the run, renumbering included

    QTabWidget* pcGen_;
    QCheckBox* chbDatum_;
    QLabel* lblDatLasAkt_;
    QLineEdit* txtDatLasAkt_;
    QCheckBox* chbDat_;
    QCheckBox* chbTime_;
    QCheckBox* cbRoot_;
    QRadioButton* rbGenAll_;
    QRadioButton* rbGenAktOdd_;
    QRadioButton* rbGenAktVetev_;
    QRadioButton* rbGenAktStr_;
    QLabel* lblPosledni_;
    QLabel* lblPocet_;
    QLineEdit* txtDisk_;
    QLabel* lblSoubor_;
    QLabel* lblStranka_;
    QLabel* lblStav_;
    QLabel* lblKrok_;
    QProgressBar* prbCelkem_;
    QProgressBar* prbStranka_;
    QLabel* lblUplynulo_;
    QLabel* lblZbyva_;
    QLabel* lblStatus_;
    QPushButton* pbGeneruj_;
    QPushButton* pbStop_;
    QPushButton* pbZavrit_;
    QTimer* timeGenTimer_;
};

} // namespace arkona::generator::ui
