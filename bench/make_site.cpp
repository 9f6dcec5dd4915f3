// bench_make_site FOLDER [SIZE] [--hugo | --goods [BIG]]: writes the synthetic shop of size 1, 2
// or 4 (about 5,000, 10,000 or 20,000 pages) as a project in FOLDER, or with --hugo as a Hugo
// site of the same pages. --goods adds a product section of ten goods to every page and, with
// BIG, one section of BIG goods on the first top-level page. Prints the number of pages.
#include "goods_fixture.h"
#include "site_fixture.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: bench_make_site FOLDER [SIZE] [--hugo | --goods [BIG]]\n";
        return 2;
    }
    const int size = argc > 2 ? std::stoi(argv[2]) : 1;
    const std::string option = argc > 3 ? argv[3] : "";
    const auto pages = arkona::bench::syntheticTree(arkona::bench::shapeOfSize(size));
    if (option == "--hugo") {
        arkona::bench::makeHugoSite(argv[1], pages);
    } else {
        arkona::bench::makeProject(argv[1], pages);
        if (option == "--goods") {
            arkona::bench::GoodsShape shape;
            shape.bigSection = argc > 4 ? std::stoi(argv[4]) : 0;
            arkona::bench::addProductSections(argv[1], pages, ARKONA_SAMPLE_TEMPLATES, shape);
        }
    }
    std::cout << pages.size() << "\n";
    return 0;
}
