// mkdict: compiles a word list (one word per line) into a dictionary file for the engine.
// Usage: mkdict WORDLIST OUTPUT
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <numeric>
#include <string>

#include "dict_builder.h"

namespace mk = varnook::mkdict;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: mkdict WORDLIST OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "mkdict: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const mk::WordList list = mk::parseWordList(text);
    if (!list.rejected.empty()) {
        for (const auto& r : list.rejected)
            std::cerr << "mkdict: cannot store \"" << r.word << "\": " << r.reason << "\n";
        std::cerr << "mkdict: " << list.rejected.size() << " word(s) rejected, nothing written\n";
        return 1;
    }
    if (list.words.empty()) {
        std::cerr << "mkdict: " << argv[1] << " holds no words\n";
        return 1;
    }
    const auto nodes = mk::buildNodes(list.words);
    if (!nodes) {
        std::cerr << "mkdict: too many words: the tree does not fit the node format\n";
        return 1;
    }
    const mk::Weights weights = mk::deriveWeights(list.words);
    const auto bytes = mk::encodeDictionary(weights, *nodes);

    // Write beside the target and rename, so a failed run never leaves half a file.
    const std::string temp = std::string(argv[2]) + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << "mkdict: cannot write " << temp << "\n";
            return 1;
        }
    }
    if (std::rename(temp.c_str(), argv[2]) != 0) {
        std::cerr << "mkdict: cannot write " << argv[2] << "\n";
        return 1;
    }
    const unsigned pool = std::accumulate(weights.begin(), weights.end(), 0u);
    std::cout << "mkdict: " << argv[2] << ": " << nodes->size() << " nodes, letter pool " << pool << "\n";
    return 0;
}
