// Build step: encodes the link target and caption into the 70-byte stream
// that the player carries, and writes it as a C++ source file.
//
//   grelo-linkgen TARGET CAPTION OUTPUT.cpp
#include <cstdio>
#include <fstream>
#include <string>

#include "authoring/link_stream_text.h"
#include "authoring/lzw_encoder.h"
#include "document/link_stream.h"

int main(int argc, char **argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: grelo-linkgen TARGET CAPTION OUTPUT.cpp\n");
        return 2;
    }
    std::string target = argv[1], caption = argv[2];
    std::string problem = linkTextProblem(target, caption);
    if (!problem.empty()) {
        std::fprintf(stderr, "grelo-linkgen: %s\n", problem.c_str());
        return 1;
    }
    std::string text = linkStreamText(target, caption);
    std::vector<std::uint8_t> stream =
        lzwEncode(reinterpret_cast<const std::uint8_t *>(text.data()), text.size());
    if (stream.size() > std::size_t(linkStreamSize)) {
        std::fprintf(stderr,
                     "grelo-linkgen: the link texts encode to %zu bytes, more than the %d the "
                     "program holds; shorten them\n",
                     stream.size(), linkStreamSize);
        return 1;
    }
    stream.resize(linkStreamSize, 0);

    std::ofstream out(argv[3], std::ios::binary);
    out << "// Made by grelo-linkgen from the build's link target and caption.\n"
           "#include \"document/link_stream.h\"\n\n"
           "const std::uint8_t linkStream[linkStreamSize] = {";
    for (std::size_t i = 0; i < stream.size(); ++i)
        out << (i % 12 == 0 ? "\n    " : " ") << unsigned(stream[i]) << ",";
    out << "\n};\n";
    if (!out) {
        std::fprintf(stderr, "grelo-linkgen: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
