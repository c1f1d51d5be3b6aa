// Interactive work in the main window on a large campaign, timed as the user
// meets it: from the click to the dialog being open, from the click that
// closes an editor to the window being back, from a move button to the next
// record being shown. Every step runs once a round, the rounds interleave
// the steps, and the medians of wall and processor time are printed with
// the machine's load average: on a shared machine the processor time is the
// steadier figure.
//
//   gui_bench DOCUMENT [--runs N]
//
// DOCUMENT is made by make_large_document BIG 100000 --forces 500 --forces
// 2000: its last two scenarios hold 500 and 2,000 forces.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/commandids.h"
#include "app/mainframe.h"
#include "bench/loadaverage.h"
#include "history/edithistory.h"
#include "platform/textformat.h"

namespace {

// A moment on the wall clock and in the processor time of this process.
struct Moment {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();
};

struct Duration {
    double wall;
    double cpu;
};

Duration Since(const Moment& from) {
    const Moment now;
    return {std::chrono::duration<double, std::milli>(now.wall - from.wall).count(),
            double(now.cpu - from.cpu) * 1000 / CLOCKS_PER_SEC};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
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
        std::printf("medians of %d interleaved runs, load average now %s\n\n", runs,
                    LoadAverage().c_str());
        std::printf("| work | wall, ms | processor, ms |\n|---|---|---|\n");
        for (const auto& [work, times] : m_wall) {
            std::printf("| %s | %.1f | %.1f |\n", work.c_str(), Median(times),
                        Median(m_cpu.at(work)));
        }
        std::printf("\nundo step of a one-ship session: %.1f KB\n", Median(m_stepKb));
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

    void Add(const std::string& work, const Duration& duration) {
        m_wall[work].push_back(duration.wall);
        m_cpu[work].push_back(duration.cpu);
    }

    void Open(const std::string& work, int command) {
        const Moment start;
        WithDialog(command, [&](QDialog& dialog) {
            Add(work, Since(start));
            Close(dialog);
        });
    }

    void CloseUnchanged(const std::string& work, int command) {
        Moment closing;
        WithDialog(command, [&](QDialog& dialog) {
            closing = Moment();
            Close(dialog);
        });
        Add(work, Since(closing));
    }

    // One ship's defense factor changed, then taken back by Undo so that
    // every round starts from the same document. The new step replaces the
    // undone one of the round before, so it is the only step the history
    // holds.
    void CloseAfterOneShip() {
        Moment closing;
        const int stepsBefore = m_frame.History().Stack().index();
        WithDialog(ID_EDIT_SHIPS, [&](QDialog& dialog) {
            auto* df = dialog.findChild<QLineEdit*>("dfEdit");
            df->setText(df->text() == "3" ? "4" : "3");
            closing = Moment();
            Close(dialog);
        });
        Add("close Edit Ships, one ship changed", Since(closing));
        if (m_frame.History().Stack().index() == stepsBefore) std::abort();
        m_stepKb.push_back(double(m_frame.History().Cost()) / 1024);
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
        const Moment start;
        act();
        QApplication::processEvents();
        Add(work, Since(start));
    }

    CMainFrame& m_frame;
    std::map<std::string, std::vector<double>> m_wall;
    std::map<std::string, std::vector<double>> m_cpu;
    std::vector<double> m_stepKb;
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
