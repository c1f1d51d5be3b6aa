#pragma once

// The nation the user last chose in any editor since the program started: a
// new ship or squadron starts with it, since records are mostly entered one
// navy at a time. Neutral until a nation is chosen.
int LastChosenNation();
void RememberChosenNation(int nation);
// Back to Neutral, as when the program starts.
void ForgetChosenNation();

// The last chosen nation when a list of nationCount nations holds it, else
// Neutral.
int StartingNation(int nationCount);
