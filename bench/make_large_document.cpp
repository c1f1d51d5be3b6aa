// Writes a large generated campaign for whole-process timings of the tools.
#include <cstring>
#include <iostream>
#include <string>

#include "bench/largedocument.h"
#include "model/brinnowdoc.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: make_large_document OUT [SHIPS] [--thousand] [--forces N]...\n";
        return 2;
    }
    DocumentShape shape = kLargeCampaign;
    if (argc > 2) shape.ships = std::stoi(argv[2]);
    CBrinnowDoc doc;
    GenerateDocument(doc, shape);
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--thousand") == 0) {
            // A scenario showing 1,000 cards, for the HTML export's timing.
            doc.m_scenarios.push_back(ThousandShipScenario(doc));
        } else if (std::strcmp(argv[i], "--forces") == 0 && i + 1 < argc) {
            // A scenario of that many forces, for printing and the editor.
            doc.m_scenarios.push_back(ManyForceScenario(doc, std::stoi(argv[++i])));
        }
    }
    if (!doc.OnSaveDocument(argv[1])) {
        std::cerr << doc.ErrorMessage() << "\n";
        return 1;
    }
    return 0;
}
