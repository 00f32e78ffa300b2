// The "Design Study" window: the current case over ranges of one or more of its inputs. A
// sweep of one input shows each applying check's usage factor over its permitted value against
// the input with the thresholds of passing; a sweep of two inputs shows the pass/fail map with
// the lightest passing point; the optimiser lists the lightest passing designs of a grid of any
// of the inputs. The study runs on a copy of the case on a worker thread while the window stays
// in use; its results never touch the main window's case until "Use This Design" loads a point
// into it as a typed value would be.
#pragma once

#include "calc/State.h"
#include "study/Study.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class QThread;

namespace velmora {

class CaseHost;
class Notifier;
class StudySortModel;
class StudyTableModel;

class DesignStudyWindow : public QWidget {
    Q_OBJECT
public:
    // The rows of inputs the window offers: a sweep takes one or two of them, the optimiser any.
    static constexpr int kInputRows = 4;
    // The most points a sweep shows in the window (its chart and table hold every point).
    static constexpr int64_t kMaxShownPoints = 250'000;

    DesignStudyWindow(CaseHost& host, QWidget* owner);
    // Stops a run that is still going and waits for it.
    ~DesignStudyWindow() override;

    // The commands of the buttons.
    void runSweepCommand();
    void findLightestCommand();
    void cancelRun();
    void useSelectedDesign();
    void exportCommand();

    // What the window shows: the kind of the last finished run and its points (by grid index for
    // a sweep, by rising mass for the lightest designs) and thresholds.
    enum class Shown { Nothing, Sweep, Map, Lightest };
    Shown shown() const { return shown_; }
    const std::vector<StudyPoint>& shownPoints() const;
    const std::vector<StudyThreshold>& thresholds() const { return thresholds_; }
    const StudyGrid& shownGrid() const;
    // The load-case names of the shown study's case, by StudyPoint::loadCase.
    const std::vector<std::string>& shownLoadCaseNames() const;
    QChart* chart() const;
    bool running() const { return job_ != nullptr; }

    // The file dialog of Export; an empty result means cancel. The tests replace it.
    std::function<QString(const QString& dir, const QString& name, bool chart)> chooseExportPath;

signals:
    // A run ended: finished, cancelled or failed.
    void runEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Job;
    struct InputRow {
        QComboBox* name = nullptr;
        QLineEdit* from = nullptr;
        QLineEdit* to = nullptr;
        QLineEdit* step = nullptr;
        QLabel* unit = nullptr;
        QString offered; // the input whose range the boxes were last given
    };

    void buildWidgets();
    QGroupBox* buildInputsFrame(QWidget* parent);
    QGroupBox* buildRunFrame(QWidget* parent);
    QWidget* buildChartAndList(QWidget* parent);
    void buildPointsTable(QWidget* parent);
    QPushButton* buildCommandButtons(QWidget* parent);
    Notifier& notifier();
    // A bad range: the message over this window and the focus back to `box`.
    void refuse(const std::string& message, QWidget* box);
    // The grid of the rows in use, or false after the message.
    bool readGrid(StudyGrid& grid, std::vector<int>& rows);
    void inputChosen(int row);
    // Run Sweep (false) or Find Lightest (true) on the rows in use.
    void runCommand(bool lightest);
    void start(std::unique_ptr<Job> job);
    void showProgress(int64_t done, int64_t total);
    void finishRun();
    void setRunning(bool on);
    void showSweep(const StudyGrid& grid, SweepResult result);
    void showLightest(const StudyGrid& grid, LightestResult result);
    void replaceChart(QChart* chart);
    // Whether the case of the main window, the point's inputs apart, is the one the study ran on.
    bool caseIsTheStudied(const std::vector<float>& values) const;

    CaseHost& host_;
    std::array<InputRow, kInputRows> rows_{};
    QCheckBox* proportions_ = nullptr;
    QSpinBox* count_ = nullptr;
    QPushButton *sweep_ = nullptr, *optimise_ = nullptr, *cancel_ = nullptr;
    QPushButton *use_ = nullptr, *export_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QChartView* chartView_ = nullptr;
    QGroupBox* listFrame_ = nullptr;
    QListWidget* list_ = nullptr;
    QTableView* table_ = nullptr;
    StudyTableModel* model_ = nullptr;
    StudySortModel* sorted_ = nullptr;

    std::unique_ptr<Job> job_;
    std::unique_ptr<QThread> thread_;
    Shown shown_ = Shown::Nothing;
    DesignCase studied_; // the case the shown results are of
    QString title_;      // of their chart and its files
    std::vector<StudyThreshold> thresholds_;
};

} // namespace velmora
