// brindle_buffer_bench: times loading a large file into the editor's text buffer against reading
// the same file with the text-file reader alone and against `wc -l`.
//
// Usage: brindle_buffer_bench [file] [runs]. Without a file, writes a reproducible one of
// 1,000,000 lines of about 60 bytes (CR LF) into the temporary folder and removes it afterwards.
#include "editor/ed_text_buffer.h"
#include "engine/text_file_read.h"
#include "platform/utf8.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string generate()
{
    const std::string path = (std::filesystem::temp_directory_path() / "brindle_buffer_bench.txt").string();
    std::ofstream out(path, std::ios::binary);
    std::uint64_t state = 12345;
    std::string line;
    for (int i = 0; i < 1000000; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const int length = 30 + static_cast<int>((state >> 33) % 60);
        line.assign(static_cast<std::size_t>(length % 8), ' ');
        while (static_cast<int>(line.size()) < length)
            line += static_cast<char>('a' + (state >> (line.size() % 40)) % 26);
        out << line << "\r\n";
    }
    return path;
}

// The median of the times of runs; an action that returns a time reports its own.
template <class Action>
double medianSeconds(int runs, Action action)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if constexpr (std::is_same_v<decltype(action()), double>) {
            times.push_back(action());
        } else {
            action();
            times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        }
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const bool generated = argc < 2;
    const std::string path = generated ? generate() : argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::u16string path16 = brindle::pathFromNative(path);

    // The buffer is created and destroyed outside the timed part: freeing a million lines is the
    // cost of closing a document, not of loading it (printed on its own).
    std::int32_t lineCount = 0;
    std::unique_ptr<brindle::CEdTextBuffer> text;
    std::vector<double> frees;
    const double buffer = medianSeconds(runs, [&] {
        const auto start = Clock::now();
        text.reset();
        frees.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        text = std::make_unique<brindle::CEdTextBuffer>();
        const auto begin = Clock::now();
        if (!text->LoadFile(path16)) {
            std::fprintf(stderr, "cannot load %s\n", path.c_str());
            std::exit(2);
        }
        lineCount = text->LineCount();
        return std::chrono::duration<double>(Clock::now() - begin).count();
    });
    text.reset();
    std::size_t readerLines = 0;
    const double reader = medianSeconds(runs, [&] {
        brindle::CTextFileRead file;
        file.Open(path16);
        std::u16string line;
        readerLines = 0;
        while (file.ReadLine(line))
            ++readerLines;
    });
    const std::string wcCommand = "wc -l < '" + path + "' > /dev/null";
    const double wc = medianSeconds(runs, [&] {
        if (std::system(wcCommand.c_str()) != 0)
            std::exit(3);
    });

    std::error_code error;
    const auto bytes = std::filesystem::file_size(path, error);
    std::printf("file: %s (%.1f MB, %d lines; reader %zu)\n", path.c_str(),
                error ? 0.0 : static_cast<double>(bytes) / 1e6, lineCount, readerLines);
    std::printf("median of %d runs: LoadFile %.3f s, CTextFileRead %.3f s, wc -l %.3f s\n", runs, buffer, reader, wc);
    std::sort(frees.begin(), frees.end());
    std::printf("freeing the loaded buffer: %.3f s\n", frees.empty() ? 0.0 : frees.back());
    std::printf("LoadFile / reader = %.2f, LoadFile / wc -l = %.2f\n", buffer / reader, buffer / wc);
    if (generated)
        std::filesystem::remove(path);
    return 0;
}
