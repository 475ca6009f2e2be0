// Replays every file of the given corpus folders through a fuzz target, as an ordinary test.
// A target's start-up hook is optional, as it is for libFuzzer itself; a target that must shut
// down cleanly registers that with atexit from its start-up hook.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);
extern "C" __attribute__ ((weak)) int LLVMFuzzerInitialize (int* argc, char*** argv);

int main (int argc, char** argv)
{
    if (LLVMFuzzerInitialize != nullptr)
        LLVMFuzzerInitialize (&argc, &argv);

    int count = 0;
    for (int i = 1; i < argc; ++i)
    {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator (argv[i], error))
        {
            if (!entry.is_regular_file())
                continue;

            std::ifstream file (entry.path(), std::ios::binary);
            const std::vector<char> data ((std::istreambuf_iterator<char> (file)),
                                          std::istreambuf_iterator<char>());
            if (!file.good() && !file.eof())
            {
                std::cerr << "cannot read " << entry.path() << std::endl;
                return 1;
            }
            LLVMFuzzerTestOneInput (reinterpret_cast<const uint8_t*> (data.data()), data.size());
            ++count;
        }
        if (error)
        {
            std::cerr << "cannot list " << argv[i] << ": " << error.message() << std::endl;
            return 1;
        }
    }

    std::cout << "replayed " << count << " inputs" << std::endl;
    return count > 0 ? 0 : 1;
}
