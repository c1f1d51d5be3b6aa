#include "print/multiprintjob.h"

int MultiPrintJob::Print(CDC&) const { return 1; }
int MultiPrintJob::PageCount(CDC&) const { return 1; }
void MultiPrintJob::PrintPages(CDC&, int, int) const {}
std::vector<VxShip> MultiPrintJob::OrderedShips() const { return {}; }
bool ShipPrintsBefore(const VxShip&, const VxShip&, int, bool) { return false; }
