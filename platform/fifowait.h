#pragma once

#include <chrono>
#include <string>

// How long reading or writing waits for the other end of a FIFO (the program
// that writes into it, or reads from it) before it gives up with a message
// rather than hanging. Tests shorten it.
std::chrono::milliseconds FifoWait();
void SetFifoWait(std::chrono::milliseconds wait);
// The wait in words, for messages: "30 seconds".
std::string FifoWaitText();
