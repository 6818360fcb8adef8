// Times saving and opening a document of 100,000 paragraphs (about 20 MB) as
// the program does it on Windows, and the process's peak working set after
// the save; run by hand under Wine:
//   scripts/wine-run.sh <build>/bench/docfile/docfile_timing.exe [paragraphs] [rounds]
#include "bench/docfile/counting_sink.h"
#include "bench/docfile/large_document.h"
#include "docfile/document_file.h"
#include "docfile/document_writer.h"
#include "xml/loader.h"

#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Work> double best_of(int rounds, Work work) {
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        work();
        const double ms = milliseconds_since(start);
        if (ms < best) {
            best = ms;
        }
    }
    return best;
}

double peak_working_set_mb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        return -1;
    }
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("NORVANE_LFH")) {
        ULONG lfh = 2;
        std::printf("lfh %d\n",
                    HeapSetInformation(GetProcessHeap(), HeapCompatibilityInformation, &lfh, sizeof lfh));
    }
    const int paragraphs = argc > 1 ? std::atoi(argv[1]) : large_document_paragraphs;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    const std::string path =
        (std::filesystem::temp_directory_path() / "norvane-docfile-timing.html").string();

    Document doc;
    fill_large_document(doc, paragraphs);
    bool ok = true;

    // The save first, so that the peak after it is the document's and the save's.
    const double filled_peak = peak_working_set_mb();
    const double save = best_of(rounds, [&] { ok = save_document_file(doc, path.c_str()).ok() && ok; });
    const double saved_peak = peak_working_set_mb();
    const double to_bytes = best_of(rounds, [&] {
        CountingSink sink;
        write_document(doc.paragraphs, sink);
    });
    if (!ok) {
        std::printf("save failed\n");
        return 1;
    }
    const auto bytes = std::filesystem::file_size(path);
    const double parse = best_of(rounds, [&] { (void)load_xml_file(path.c_str(), nullptr); });
    const ElementRef body = load_xml_file(path.c_str(), nullptr);
    const double convert = best_of(rounds, [&] {
        Document converted;
        converted.paragraphs = paragraphs_from_body(body);
    });
    Document loaded;
    const double load = best_of(
        rounds, [&] { ok = load_document_file(loaded, path.c_str()).result == LoadResult::loaded && ok; });
    std::filesystem::remove(path);
    if (!ok) {
        std::printf("load failed\n");
        return 1;
    }

    std::printf("%d paragraphs, %llu bytes, best of %d rounds:\n", paragraphs,
                static_cast<unsigned long long>(bytes), rounds);
    std::printf("  save_document_file        %8.1f ms\n", save);
    std::printf("  peak working set: %.0f MB with the document, %.0f MB after the save\n", filled_peak,
                saved_peak);
    std::printf("  write_document (no disk)  %8.1f ms\n", to_bytes);
    std::printf("  load_xml_file (read+parse)%8.1f ms\n", parse);
    std::printf("  paragraphs_from_body      %8.1f ms\n", convert);
    std::printf("  load_document_file        %8.1f ms\n", load);
    return 0;
}
