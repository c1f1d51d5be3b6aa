#pragma once

#include <fstream>
#include <string>

// The machine's load average over 1, 5 and 15 minutes, printed beside a
// benchmark's medians: on a shared machine it says how far the wall times
// stand for the work alone.
inline std::string LoadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return file ? one + " " + five + " " + fifteen : "unknown";
}
