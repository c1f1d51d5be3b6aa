// Interactive work in the main window on a large campaign, timed as the user
// meets it: from the click to the dialog being open, from the click that
// closes an editor to the window being back, from a move button to the next
// record being shown. Every step runs once a round, the rounds interleave
// the steps, and the medians are printed with the machine's load average.
//
//   gui_bench DOCUMENT [--runs N]
//
// DOCUMENT is made by make_large_document BIG 100000 --forces 500 --forces
// 2000: its last two scenarios hold 500 and 2,000 forces.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/commandids.h"
#include "app/mainframe.h"
#include "history/edithistory.h"
#include "platform/textformat.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

class GuiBench {
  public:
    explicit GuiBench(CMainFrame& frame) : m_frame(frame) {}

    void Round() {
        CloseUnchanged("close Edit Nations, no change", ID_EDIT_NATIONS);
        CloseUnchanged("close Edit Ships, no change", ID_EDIT_SHIPS);
        CloseAfterOneShip();
        Open("open Print Selected Items", ID_TOOLS_PRINT_SELECTED);
        Open("open Edit Squadrons", ID_EDIT_SQUADRONS);
        MoveAmongScenarios();
    }

    void Report(int runs) const {
        double load[3] = {0, 0, 0};
        if (QFile file("/proc/loadavg"); file.open(QIODevice::ReadOnly)) {
            std::sscanf(file.readAll().constData(), "%lf %lf %lf", &load[0], &load[1], &load[2]);
        }
        std::printf("medians of %d interleaved runs, load average now %.2f %.2f %.2f\n\n", runs,
                    load[0], load[1], load[2]);
        std::printf("| work | median | fastest | slowest |\n|---|---|---|---|\n");
        for (const auto& [work, times] : m_times) {
            std::vector<double> sorted = times;
            std::sort(sorted.begin(), sorted.end());
            const std::size_t n = sorted.size();
            const double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
            std::printf("| %s | %.1f | %.1f | %.1f |\n", work.c_str(), median, sorted.front(),
                        sorted.back());
        }
    }

  private:
    // Triggers a command and acts on its modal dialog as soon as it runs;
    // the act must close it. Returns when the command has returned.
    void WithDialog(int command, const std::function<void(QDialog&)>& act) {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) std::abort();
            act(*dialog);
        });
        m_frame.Action(command)->trigger();
    }
    static void Click(QDialog& dialog, const char* button) {
        auto* found = dialog.findChild<QAbstractButton*>(button);
        if (found == nullptr) std::abort();
        found->click();
    }
    // The close button of a record editor, the dialog's reject otherwise.
    static void Close(QDialog& dialog) {
        if (dialog.findChild<QAbstractButton*>("closeButton") != nullptr) {
            Click(dialog, "closeButton");
        } else {
            dialog.accept();
        }
    }

    void Open(const std::string& work, int command) {
        const Clock::time_point start = Clock::now();
        WithDialog(command, [&](QDialog& dialog) {
            m_times[work].push_back(Milliseconds(start, Clock::now()));
            Close(dialog);
        });
    }

    void CloseUnchanged(const std::string& work, int command) {
        Clock::time_point closing;
        WithDialog(command, [&](QDialog& dialog) {
            closing = Clock::now();
            Close(dialog);
        });
        m_times[work].push_back(Milliseconds(closing, Clock::now()));
    }

    // One ship's defense factor changed, then taken back by Undo so that
    // every round starts from the same document.
    void CloseAfterOneShip() {
        Clock::time_point closing;
        const std::size_t costBefore = m_frame.History().Cost();
        WithDialog(ID_EDIT_SHIPS, [&](QDialog& dialog) {
            auto* df = dialog.findChild<QLineEdit*>("dfEdit");
            df->setText(df->text() == "3" ? "4" : "3");
            closing = Clock::now();
            Close(dialog);
        });
        m_times["close Edit Ships, one ship changed"].push_back(
            Milliseconds(closing, Clock::now()));
        m_times["undo step of one ship, KB (not ms)"].push_back(
            double(m_frame.History().Cost() - costBefore) / 1024);
        m_frame.Action(ID_EDIT_UNDO)->trigger();
    }

    void MoveAmongScenarios() {
        WithDialog(ID_EDIT_SCENARIOS, [&](QDialog& dialog) {
            Timed("Edit Scenarios: first to 2,000 forces", [&] { Click(dialog, "lastButton"); });
            Timed("Edit Scenarios: 2,000 to 500 forces", [&] { Click(dialog, "previousButton"); });
            Timed("Edit Scenarios: 500 forces to first", [&] { Click(dialog, "firstButton"); });
            Close(dialog);
        });
    }

    void Timed(const std::string& work, const std::function<void()>& act) {
        const Clock::time_point start = Clock::now();
        act();
        QApplication::processEvents();
        m_times[work].push_back(Milliseconds(start, Clock::now()));
    }

    CMainFrame& m_frame;
    std::map<std::string, std::vector<double>> m_times;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName("BrinnowBench");
    QApplication::setApplicationName("Vexmoor Playing Aid");
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    UseClassicNumberFormat();
    if (argc < 2) {
        std::fprintf(stderr, "usage: gui_bench DOCUMENT [--runs N]\n");
        return 2;
    }
    const int runs = argc > 3 && std::string(argv[2]) == "--runs" ? std::stoi(argv[3]) : 7;
    CMainFrame frame;
    frame.show();
    if (!frame.OpenDocumentFile(QString::fromLocal8Bit(argv[1]))) return 1;
    GuiBench bench(frame);
    for (int round = 0; round < runs; ++round) {
        bench.Round();
        std::fprintf(stderr, "round %d of %d done\n", round + 1, runs);
    }
    bench.Report(runs);
    return 0;
}
