// labdata: writes the lab's data folder from the descriptions beside this file.
//
//   labdata [--source DIR] OUTDIR
//
// Run it into the repository's data/ after changing a description:
//   build/tools/labdata/labdata data

#include <cstdio>
#include <cstring>
#include <exception>

#include "src/generate.h"

int main(int argc, char** argv) {
    std::filesystem::path source = LABDATA_SOURCE_DIR;
    int i = 1;
    if (argc > 2 && std::strcmp(argv[1], "--source") == 0) {
        source = argv[2];
        i = 3;
    }
    if (i + 1 != argc) {
        std::fprintf(stderr, "usage: labdata [--source DIR] OUTDIR\n");
        return 2;
    }
    try {
        const auto files = labdata::generateLabData(source);
        std::string error;
        if (!labdata::writeLabData(files, argv[i], error)) {
            std::fprintf(stderr, "labdata: %s\n", error.c_str());
            return 1;
        }
        std::printf("labdata: %zu files written to %s\n", files.size(), argv[i]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "labdata: %s\n", e.what());
        return 1;
    }
    return 0;
}
