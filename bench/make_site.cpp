// bench_make_site FOLDER [SIZE] [--hugo]: writes the synthetic shop of size 1, 2 or 4 (about
// 5,000, 10,000 or 20,000 pages) as a project in FOLDER, or with --hugo as a Hugo site of the
// same pages. Prints the number of pages.
#include "site_fixture.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: bench_make_site FOLDER [SIZE] [--hugo]\n";
        return 2;
    }
    const int size = argc > 2 ? std::stoi(argv[2]) : 1;
    const bool hugo = argc > 3 && std::string(argv[3]) == "--hugo";
    const auto pages = arkona::bench::syntheticTree(arkona::bench::shapeOfSize(size));
    if (hugo) {
        arkona::bench::makeHugoSite(argv[1], pages);
    } else {
        arkona::bench::makeProject(argv[1], pages);
    }
    std::cout << pages.size() << "\n";
    return 0;
}
