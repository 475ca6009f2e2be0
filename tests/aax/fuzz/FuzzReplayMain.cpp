// Replays every file of the given corpus folders through the fuzz target, as an ordinary test.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);

int main (int argc, char** argv)
{
    int count = 0;
    for (int i = 1; i < argc; ++i)
    {
        for (const auto& entry : std::filesystem::directory_iterator (argv[i]))
        {
            if (!entry.is_regular_file())
                continue;
            std::ifstream file (entry.path(), std::ios::binary);
            const std::vector<char> data ((std::istreambuf_iterator<char> (file)),
                                          std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput (reinterpret_cast<const uint8_t*> (data.data()), data.size());
            ++count;
        }
    }
    std::cout << "replayed " << count << " inputs" << std::endl;
    return count > 0 ? 0 : 1;
}
