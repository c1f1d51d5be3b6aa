// Writes the fuzzers' starting corpora: small generated campaigns and the
// campaigns given on the command line, as documents into one folder, as
// their JSON into another and their ships as CSV into a third, so that
// every target starts from inputs that reach deep into the code rather than
// from bytes that fail at once.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "interchange/campaignjsonexport.h"
#include "interchange/shipcsv.h"
#include "model/brinnowdoc.h"
#include "tests/support/documentgenerator.h"

namespace {

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

struct Folders {
    const char* documents;
    const char* json;
    const char* csv;
};

void WriteSeed(CBrinnowDoc& doc, const std::string& name, const Folders& folders) {
    Write(std::string(folders.documents) + "/" + name + ".brn", doc.SaveToBytes());
    Write(std::string(folders.json) + "/" + name + ".json", CampaignJson(doc));
    Write(std::string(folders.csv) + "/" + name + ".csv", ShipsCsv(doc));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: make_fuzz_corpus DOCUMENT_FOLDER JSON_FOLDER CSV_FOLDER "
                     "[CAMPAIGN.brn]...\n";
        return 2;
    }
    const Folders folders{argv[1], argv[2], argv[3]};
    const DocumentShape shapes[] = {
        {0, 0, 0, 0, 0, 1}, {3, 1, 1, 1, 2, 2}, {8, 2, 1, 2, 3, 3},
        {2, 0, 2, 2, 0, 4}, {5, 3, 0, 0, 4, 5},
    };
    int index = 0;
    for (const DocumentShape& shape : shapes) {
        CBrinnowDoc doc;
        GenerateDocument(doc, shape);
        WriteSeed(doc, "generated" + std::to_string(index++), folders);
    }
    CBrinnowDoc fresh;
    WriteSeed(fresh, "new", folders);
    for (int i = 4; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        CBrinnowDoc doc;
        if (!doc.LoadFromBytes(bytes, argv[i])) {
            std::cerr << "make_fuzz_corpus: " << argv[i] << " does not load\n";
            return 1;
        }
        WriteSeed(doc, "campaign" + std::to_string(i - 4), folders);
    }
    return 0;
}
