// Runs one fuzz target over every file of its corpus folder, the way libFuzzer would run them
// once; built with any compiler, so that every test run replays the seeds and every input that
// ever failed. A failing input stops the program (the target aborts) after its name is printed.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzTargets.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc != 3) {
        std::cerr << "usage: fuzz_corpus_replay TARGET CORPUS_FOLDER\n";
        return 2;
    }
    const std::string_view name = argv[1];
    const auto* target = std::find_if(std::begin(tovrin::fuzz::kTargets), std::end(tovrin::fuzz::kTargets),
                                      [&](const tovrin::fuzz::NamedTarget& t) { return t.Name == name; });
    if (target == std::end(tovrin::fuzz::kTargets)) {
        std::cerr << "no fuzz target \"" << name << "\"\n";
        return 2;
    }
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(argv[2]))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::cerr << "no inputs in " << argv[2] << "\n";
        return 1;
    }
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::cerr << file.filename().string() << "\n";
        target->Run(bytes.data(), bytes.size());
    }
    std::cout << "replayed " << files.size() << " inputs of " << name << "\n";
    return 0;
}
