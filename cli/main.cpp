#include <cstdio>
#include "model/brinnowdoc.h"
int main() { CBrinnowDoc doc; std::string b = doc.SaveToBytes(); std::fwrite(b.data(), 1, b.size(), stdout); }
