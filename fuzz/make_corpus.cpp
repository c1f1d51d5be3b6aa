// Writes small generated documents as the fuzzer's starting corpus.
#include <fstream>
#include <iostream>
#include <string>

#include "model/brinnowdoc.h"
#include "tests/support/documentgenerator.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_corpus FOLDER\n";
        return 2;
    }
    const DocumentShape shapes[] = {
        {0, 0, 0, 0, 0, 1}, {3, 1, 1, 1, 2, 2}, {8, 2, 1, 2, 3, 3},
        {2, 0, 2, 2, 0, 4}, {5, 3, 0, 0, 4, 5},
    };
    int index = 0;
    for (const DocumentShape& shape : shapes) {
        CBrinnowDoc doc;
        GenerateDocument(doc, shape);
        const std::string bytes = doc.SaveToBytes();
        std::ofstream(std::string(argv[1]) + "/doc" + std::to_string(index++) + ".brn",
                      std::ios::binary)
            .write(bytes.data(), std::streamsize(bytes.size()));
    }
    CBrinnowDoc fresh;
    const std::string bytes = fresh.SaveToBytes();
    std::ofstream(std::string(argv[1]) + "/new.brn", std::ios::binary)
        .write(bytes.data(), std::streamsize(bytes.size()));
    return 0;
}
