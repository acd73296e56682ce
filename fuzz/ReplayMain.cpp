// Runs a fuzz target without libFuzzer, so the ordinary sanitizer build of the test suite
// exercises every target: each corpus file as it is, then a fixed number of mutants of it
// (flipped, inserted, deleted and truncated bytes) drawn from a fixed seed, so a failure
// repeats exactly. Usage: fuzz_<name>_replay [--mutations N] FILE_OR_DIR...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::filesystem::path> inputsOf(const std::vector<std::string>& args)
{
    std::vector<std::filesystem::path> files;
    for (const std::string& arg : args) {
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        } else {
            files.emplace_back(arg);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

Bytes mutate(Bytes input, std::mt19937& random)
{
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < edits; ++i) {
        const size_t at = input.empty() ? 0 : random() % input.size();
        switch (random() % 4) {
        case 0:
            if (!input.empty())
                input[at] ^= static_cast<std::uint8_t>(1u << (random() % 8));
            break;
        case 1:
            input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::uint8_t>(random()));
            break;
        case 2:
            if (!input.empty())
                input.erase(input.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        default:
            input.resize(at);
            break;
        }
    }
    return input;
}

void run(const Bytes& input)
{
    LLVMFuzzerTestOneInput(input.data(), input.size());
}

} // namespace

int main(int argc, char** argv)
{
    int mutations = 0;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--mutations" && i + 1 < argc)
            mutations = std::atoi(argv[++i]);
        else
            args.push_back(arg);
    }
    const auto files = inputsOf(args);
    if (files.empty()) {
        std::fprintf(stderr, "replay: no inputs\n");
        return 2;
    }
    std::mt19937 random(4410);
    for (const auto& file : files) {
        const Bytes input = readFile(file);
        run(input);
        for (int i = 0; i < mutations; ++i)
            run(mutate(input, random));
    }
    std::printf("replay: %zu inputs, %d mutants each\n", files.size(), mutations);
    return 0;
}
