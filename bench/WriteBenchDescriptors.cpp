// Writes the synthetic descriptors as hex text files into a folder, for measuring the command
// line program on them: quorlix_bench_descriptors FOLDER.

#include "SyntheticDescriptors.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    using namespace quorlix::bench;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const DescriptorShape shape : kAllShapes) {
        for (const std::size_t size : kShapeSizes) {
            const std::string name = std::string(ShapeName(shape)) + "-" + SizeLabel(size) + ".txt";
            std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
            out << ToHexDumpText(MakeDescriptor(shape, size));
            if (!out) {
                std::fprintf(stderr, "%s: cannot write %s\n", argv[0], name.c_str());
                return 1;
            }
        }
    }
    return 0;
}
