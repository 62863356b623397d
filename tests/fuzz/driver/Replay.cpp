// Runs a fuzz target without the fuzzer: each input of the folders or files
// named, and each of its beginnings (an input cut short is the commonest
// malformed one), under the sanitizers the target is built with. Fails when
// it found nothing to run, so a corpus that went missing is noticed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Inputs longer than this are run whole only.
constexpr std::size_t kPrefixesUpTo = 4096;

std::size_t Replay(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t shortest = bytes.size() <= kPrefixesUpTo ? 0 : bytes.size();
    for (std::size_t size = shortest; size <= bytes.size(); ++size) {
        // A copy of exactly the size, so that reading past it is caught.
        const std::vector<std::uint8_t> input(data, data + size);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::size_t inputs = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else if (std::filesystem::is_regular_file(argv[i])) {
            files.emplace_back(argv[i]);
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) inputs += Replay(file);
    }
    std::printf("%zu inputs replayed\n", inputs);
    return inputs > 0 ? 0 : 1;
}
