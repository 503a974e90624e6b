// Replays a fuzz target without libFuzzer: every file of a corpus folder, then
// a fixed number of mutations of them, go through LLVMFuzzerTestOneInput. A
// crash, a sanitizer report or an abort() in the target fails the test that
// runs this. The mutations come from a fixed seed, so a failure repeats.
//
// Usage: runner CORPUS_DIR [MUTATIONS]

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::string;

// Inputs stay small, as libFuzzer's default -max_len keeps them.
constexpr size_t MaxInputBytes = 64 * 1024;

std::vector<Bytes> readCorpus(const std::filesystem::path& folder)
{
    std::vector<Bytes> seeds;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}

void run(const Bytes& input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

class Mutator {
public:
    explicit Mutator(const std::vector<Bytes>& seeds) : m_seeds(seeds) {}

    Bytes mutate()
    {
        Bytes input = m_seeds[pick(m_seeds.size())];
        const size_t steps = 1 + pick(4);
        for (size_t i = 0; i < steps; ++i)
            mutateOnce(input);
        if (input.size() > MaxInputBytes)
            input.resize(MaxInputBytes);
        return input;
    }

private:
    size_t pick(size_t bound)
    {
        return bound == 0 ? 0 : std::uniform_int_distribution<size_t>(0, bound - 1)(m_random);
    }
    char anyByte() { return static_cast<char>(pick(256)); }

    // Bytes that mean something to line-based text formats.
    char tokenByte()
    {
        static const char tokens[] = {'\r', '\n', ' ',  '\t', '=',  ';',   ':',
                                      ',',  '"',  '\\', '.',  '\0', '\x1a'};
        return tokens[pick(sizeof tokens)];
    }

    void mutateOnce(Bytes& input)
    {
        const size_t at = pick(input.size() + 1);
        switch (pick(7)) {
        case 0:
            if (at < input.size())
                input[at] = static_cast<char>(input[at] ^ (1 << pick(8)));
            break;
        case 1:
            input.insert(at, 1, anyByte());
            break;
        case 2:
            input.insert(at, 1, tokenByte());
            break;
        case 3:
            input.erase(at, pick(16));
            break;
        case 4:
            input.insert(at, input.substr(pick(input.size() + 1), pick(64)));
            break;
        case 5:
            input.resize(at);
            break;
        default: {
            const Bytes& other = m_seeds[pick(m_seeds.size())];
            input.insert(at, other.substr(pick(other.size() + 1), pick(128)));
        }
        }
    }

    const std::vector<Bytes>& m_seeds;
    std::mt19937_64 m_random{0x7a11f0};
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: " << argv[0] << " CORPUS_DIR [MUTATIONS]\n";
        return 2;
    }
    const std::vector<Bytes> seeds = readCorpus(argv[1]);
    if (seeds.empty()) {
        std::cerr << "no seeds in " << argv[1] << "\n";
        return 1;
    }
    const long mutations = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 5000;
    for (const Bytes& seed : seeds)
        run(seed);
    run({});
    Mutator mutator(seeds);
    for (long i = 0; i < mutations; ++i)
        run(mutator.mutate());
    std::cout << seeds.size() << " seeds and " << mutations << " mutations ran\n";
    return 0;
}
