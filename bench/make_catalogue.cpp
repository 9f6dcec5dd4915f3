// bench_make_catalogue FILE [ROWS]: writes the catalogue-shaped table the dump comparison reads.
#include "catalogue_fixture.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: bench_make_catalogue FILE [ROWS]\n";
        return 2;
    }
    arkona::bench::makeCatalogue(argv[1], argc > 2 ? std::stoi(argv[2]) : 100000);
    return 0;
}
