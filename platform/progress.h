#pragma once

#include <cstdint>
#include <exception>
#include <string>

// Thrown out of long work when the user asked to stop it. The work unwinds
// through the safe writers, which drop what they staged, so every target
// stays as it was.
class WorkCancelled : public std::exception {
  public:
    const char* what() const noexcept override { return "Cancelled."; }
};

// What long work tells about itself as it goes: done units (pages, cards,
// records) of total, named by what ("Printing page"). The window shows it
// as a dialog with Cancel, the command-line tool as a line on standard
// error; both stop the work by throwing WorkCancelled from Step.
//
// Work may call Step for every unit: only about a thousand steps of a run,
// and its last, reach Report, so reporting costs the same whatever the size.
class Progress {
  public:
    static constexpr std::int64_t kReportsPerRun = 1000;

    virtual ~Progress() = default;

    void Step(std::int64_t done, std::int64_t total, const char* what) {
        if (done < m_nextReport && done < total && total == m_total && what == m_what) return;
        Advance(done, total, what);
    }

    // "Printing page 312 of 905".
    static std::string Text(std::int64_t done, std::int64_t total, const char* what);

  protected:
    // Shows the step; throws WorkCancelled when the user asked to stop.
    virtual void Report(std::int64_t done, std::int64_t total, const char* what) = 0;

  private:
    void Advance(std::int64_t done, std::int64_t total, const char* what);

    std::int64_t m_nextReport = 0;
    std::int64_t m_total = -1;
    const char* m_what = nullptr;
};

// What reading a file reports: "Bytes read: 1048576 of 29500000".
inline constexpr const char* kBytesRead = "Bytes read:";
// What writing a campaign reports: "Records written: 5000 of 105510".
inline constexpr const char* kRecordsWritten = "Records written:";

// Work nobody watches.
class NoProgress : public Progress {
  protected:
    void Report(std::int64_t, std::int64_t, const char*) override {}
};

// A shared instance of NoProgress, the default of every function that
// reports.
Progress& Unwatched();
