// Writes a large generated campaign for whole-process timings of the tools.
#include <cstring>
#include <iostream>
#include <string>

#include "bench/largedocument.h"
#include "model/brinnowdoc.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: make_large_document OUT [SHIPS] [--thousand]\n";
        return 2;
    }
    DocumentShape shape = kLargeCampaign;
    if (argc > 2) shape.ships = std::stoi(argv[2]);
    CBrinnowDoc doc;
    GenerateDocument(doc, shape);
    // A last scenario showing 1,000 cards, for the HTML export's timing.
    if (argc > 3 && std::strcmp(argv[3], "--thousand") == 0) {
        doc.m_scenarios.push_back(ThousandShipScenario(doc));
    }
    if (!doc.OnSaveDocument(argv[1])) {
        std::cerr << doc.ErrorMessage() << "\n";
        return 1;
    }
    return 0;
}
