// Whole-process timings of brinnow-cli against the raw work it stands for
// (copying the file, giflib alone), run interleaved in one go so that the
// machine's noise falls on both sides alike. Prints medians and their ratios.
//
//   process_bench --cli PATH [--cli PATH ...] --make-document PATH
//                 --gif-reference PATH [--work DIR] [--runs N] [--rows LIST]
//
// Every --cli is measured in the same interleaved schedule, so the build
// before a change and the build after it can be compared in one run. LIST is
// a comma-separated choice of save,info,text,html,print,scenario,selection,
// memory (all by default).
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/loadaverage.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Options {
    std::vector<std::string> clis;
    std::string makeDocument;
    std::string gifReference;
    std::string work = "/dev/shm/brinnow_process_bench";
    int runs = 7;
    std::set<std::string> rows = {"save",  "info",     "text",      "html",
                                  "print", "scenario", "selection", "memory"};
};

struct Sample {
    double seconds = 0;
    double cpuSeconds = 0;
    long peakKb = 0;
};

// Runs argv with its output thrown away; throws when it fails.
Sample Run(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::string line;
        for (const std::string& arg : argv) line += arg + " ";
        throw std::runtime_error("failed: " + line);
    }
    const auto cpu = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return {std::chrono::duration<double>(end - start).count(),
            cpu(usage.ru_utime) + cpu(usage.ru_stime), usage.ru_maxrss};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Named commands, each run once per round, all rounds interleaved.
class Schedule {
  public:
    void Add(const std::string& name, std::vector<std::string> argv) {
        m_commands.emplace_back(name, std::move(argv));
    }
    void Execute(int runs) {
        for (int round = 0; round < runs; ++round) {
            for (const auto& [name, argv] : m_commands) {
                const Sample sample = Run(argv);
                m_seconds[name].push_back(sample.seconds);
                m_cpuSeconds[name].push_back(sample.cpuSeconds);
                m_peakKb[name].push_back(double(sample.peakKb));
            }
            std::fprintf(stderr, "round %d of %d done\n", round + 1, runs);
        }
    }
    double Seconds(const std::string& name) const { return Median(m_seconds.at(name)); }
    double CpuSeconds(const std::string& name) const { return Median(m_cpuSeconds.at(name)); }
    double Spread(const std::string& name) const {
        const auto& v = m_seconds.at(name);
        return *std::max_element(v.begin(), v.end()) - *std::min_element(v.begin(), v.end());
    }
    double PeakMb(const std::string& name) const { return Median(m_peakKb.at(name)) / 1024; }

  private:
    std::vector<std::pair<std::string, std::vector<std::string>>> m_commands;
    std::map<std::string, std::vector<double>> m_seconds;
    std::map<std::string, std::vector<double>> m_cpuSeconds;
    std::map<std::string, std::vector<double>> m_peakKb;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    bool rowsGiven = false;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const std::string value = argv[i + 1];
        if (key == "--cli") {
            options.clis.push_back(fs::absolute(value));
        } else if (key == "--make-document") {
            options.makeDocument = fs::absolute(value);
        } else if (key == "--gif-reference") {
            options.gifReference = fs::absolute(value);
        } else if (key == "--work") {
            options.work = value;
        } else if (key == "--runs") {
            options.runs = std::max(1, std::stoi(value));
        } else if (key == "--rows") {
            if (!rowsGiven) options.rows.clear();
            rowsGiven = true;
            std::stringstream list(value);
            for (std::string row; std::getline(list, row, ',');) options.rows.insert(row);
        } else {
            throw std::runtime_error("unknown option " + key);
        }
    }
    if (options.clis.empty() || options.makeDocument.empty() || options.gifReference.empty()) {
        throw std::runtime_error(
            "usage: process_bench --cli PATH [--cli PATH ...] --make-document PATH "
            "--gif-reference PATH [--work DIR] [--runs N] [--rows "
            "save,info,text,html,print,scenario,selection,memory]");
    }
    return options;
}

std::string Tag(std::size_t cli) { return "cli" + std::to_string(cli); }

std::size_t CountGifs(const fs::path& folder) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.path().extension() == ".gif";
    }
    return count;
}

// One row: wall time and processor time (user + system), each as a median,
// against the reference. On a busy machine the processor time is the
// steadier figure. Ours may be a difference of two commands.
struct Row {
    const char* work;
    std::vector<std::string> ours;  // first minus the others
    const char* against;
    std::string reference;
    double goal;
};

void PrintRow(const Schedule& schedule, const Row& row) {
    const auto measure = [&](auto median) {
        double ours = median(row.ours[0]);
        for (std::size_t i = 1; i < row.ours.size(); ++i) ours -= median(row.ours[i]);
        return std::pair{ours, median(row.reference)};
    };
    const auto [wall, wallReference] =
        measure([&](const std::string& n) { return schedule.Seconds(n); });
    const auto [cpu, cpuReference] =
        measure([&](const std::string& n) { return schedule.CpuSeconds(n); });
    std::printf(
        "| %s | %.0f ms (spread %.0f) | %s %.0f ms | %.2f x | cpu %.0f / %.0f ms = %.2f x | <= "
        "%.2f x |\n",
        row.work, wall * 1000, schedule.Spread(row.ours[0]) * 1000, row.against,
        wallReference * 1000, wall / wallReference, cpu * 1000, cpuReference * 1000,
        cpu / cpuReference, row.goal);
}

void Report(const Options& options, const Schedule& schedule, const fs::path& big) {
    const double fileMb = double(fs::file_size(big)) / (1024 * 1024);
    for (std::size_t c = 0; c < options.clis.size(); ++c) {
        const std::string t = Tag(c);
        std::printf("\n%s (median of %d interleaved runs, load average now %s)\n\n",
                    options.clis[c].c_str(), options.runs, LoadAverage().c_str());
        std::printf("| work | ours | against | ratio | processor time | goal |\n");
        std::printf("|---|---|---|---|---|---|\n");
        const std::vector<std::pair<const char*, Row>> rows = {
            {"save", {"save-as BIG OUT", {t + "save"}, "cp BIG OUT", "cp", 2.5}},
            {"info", {"info BIG", {t + "info"}, "cp BIG OUT", "cp", 1.5}},
            {"text",
             {"export-text minus info",
              {t + "text", t + "info"},
              "cp of the output",
              t + "cptext",
              5}},
            {"html",
             {"export-html of 1,000 cards", {t + "html"}, "giflib alone", t + "gifref", 1.25}},
            {"print",
             {"print ships, 10,000 ships", {t + "print10k"}, "1,000 ships", t + "print1k", 11}},
            {"scenario",
             {"print scenario of 1,000 forces, 100,000-ship campaign",
              {t + "scenario100k"},
              "10,000-ship campaign",
              t + "scenario10k",
              1.2}},
            {"selection",
             {"print selection of 400 squadrons, 100,000-ship campaign",
              {t + "selection100k"},
              "10,000-ship campaign",
              t + "selection10k",
              1.2}},
        };
        for (const auto& [key, row] : rows) {
            if (options.rows.count(key)) PrintRow(schedule, row);
        }
        if (options.rows.count("memory")) {
            std::printf(
                "| peak memory of info BIG | %.1f MB | the file %.1f MB | %.2f x | | <= 2 x |\n",
                schedule.PeakMb(t + "info"), fileMb, schedule.PeakMb(t + "info") / fileMb);
        }
    }
}

void Prepare(const Options& options, const fs::path& work) {
    fs::create_directories(work);
    Run({options.makeDocument, work / "big.brn", "100000", "--thousand", "--forces", "1000"});
    if (options.rows.count("print") || options.rows.count("scenario") ||
        options.rows.count("selection")) {
        Run({options.makeDocument, work / "big10k.brn", "10000", "--forces", "1000"});
        Run({options.makeDocument, work / "big1k.brn", "1000"});
    }
}

void PlanCommands(const Options& options, const fs::path& work, Schedule& schedule) {
    const std::string big = work / "big.brn";
    const std::string out = work / "out.brn";
    const bool memory = options.rows.count("memory") > 0;
    if (options.rows.count("save") || options.rows.count("info") || memory) {
        schedule.Add("cp", {"/bin/cp", big, out});
    }
    for (std::size_t c = 0; c < options.clis.size(); ++c) {
        const std::string t = Tag(c);
        const std::string& cli = options.clis[c];
        const fs::path folder = work / t;
        fs::create_directories(folder / "html");
        fs::create_directories(folder / "gifref");
        const std::string text = folder / "ships.txt";
        if (options.rows.count("save")) schedule.Add(t + "save", {cli, "save-as", big, out});
        if (options.rows.count("info") || options.rows.count("text") || memory) {
            schedule.Add(t + "info", {cli, "info", big});
        }
        if (options.rows.count("text")) {
            schedule.Add(t + "text", {cli, "export-text", big, text});
            Run({cli, "export-text", big, text});
            schedule.Add(t + "cptext", {"/bin/cp", text, folder / "copy.txt"});
        }
        if (options.rows.count("html")) {
            const std::vector<std::string> html = {cli, "export-html", big, "Thousand",
                                                   folder / "html" / "page.htm"};
            Run(html);
            const std::string images = std::to_string(CountGifs(folder / "html"));
            std::string sample;
            for (const auto& entry : fs::directory_iterator(folder / "html")) {
                if (entry.path().extension() == ".gif") sample = entry.path();
            }
            std::fprintf(stderr, "%s: %s card images\n", cli.c_str(), images.c_str());
            schedule.Add(t + "html", html);
            schedule.Add(t + "gifref", {options.gifReference, sample, images, folder / "gifref"});
        }
        for (const auto& [size, file] : {std::pair{"100k", "big.brn"}, {"10k", "big10k.brn"}}) {
            const std::string document = work / file;
            if (options.rows.count("scenario")) {
                schedule.Add(t + "scenario" + size, {cli, "print", "scenario", document,
                                                     "Forces 1000", "-o", folder / "scenario.pdf"});
            }
            if (options.rows.count("selection")) {
                std::vector<std::string> selection = {cli,      "print", "selection",
                                                      document, "-o",    folder / "selection.pdf"};
                for (int i = 0; i < 400; ++i) {
                    selection.insert(selection.end(),
                                     {"--squadron", "Squadron " + std::to_string(i)});
                }
                schedule.Add(t + "selection" + size, selection);
            }
        }
        if (options.rows.count("print")) {
            schedule.Add(t + "print10k",
                         {cli, "print", "ships", work / "big10k.brn", "-o", folder / "10k.pdf"});
            schedule.Add(t + "print1k",
                         {cli, "print", "ships", work / "big1k.brn", "-o", folder / "1k.pdf"});
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const Options options = ParseOptions(argc, argv);
        const fs::path work = options.work;
        Prepare(options, work);
        Schedule schedule;
        PlanCommands(options, work, schedule);
        schedule.Execute(options.runs);
        Report(options, schedule, work / "big.brn");
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "process_bench: %s\n", failure.what());
        return 1;
    }
    return 0;
}
