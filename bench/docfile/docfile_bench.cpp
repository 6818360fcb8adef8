// Saving and opening a document of 100,000 paragraphs (about 20 MB), whole
// and by stage: tree and bytes, writing, loading, converting.
#include "bench/docfile/large_document.h"
#include "docfile/document_file.h"
#include "xml/loader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

std::string bench_path() {
    return (std::filesystem::temp_directory_path() / "norvane-docfile-bench.html").string();
}

const Document& large_document() {
    static Document doc;
    static const bool filled = (fill_large_document(doc, large_document_paragraphs), true);
    (void)filled;
    return doc;
}

void save_file(benchmark::State& state) {
    const std::string path = bench_path();
    for ([[maybe_unused]] auto _ : state) {
        if (!save_document_file(large_document(), path.c_str()).ok()) {
            state.SkipWithError("the save failed");
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}
BENCHMARK(save_file)->Unit(benchmark::kMillisecond);

void document_to_bytes(benchmark::State& state) {
    for ([[maybe_unused]] auto _ : state) {
        benchmark::DoNotOptimize(document_to_text(large_document().paragraphs));
    }
}
BENCHMARK(document_to_bytes)->Unit(benchmark::kMillisecond);

void load_file(benchmark::State& state) {
    const std::string path = bench_path();
    save_document_file(large_document(), path.c_str());
    Document doc;
    for ([[maybe_unused]] auto _ : state) {
        if (load_document_file(doc, path.c_str()).result != LoadResult::loaded) {
            state.SkipWithError("the load failed");
        }
    }
}
BENCHMARK(load_file)->Unit(benchmark::kMillisecond);

void load_and_parse_only(benchmark::State& state) {
    const std::string path = bench_path();
    save_document_file(large_document(), path.c_str());
    for ([[maybe_unused]] auto _ : state) {
        benchmark::DoNotOptimize(load_xml_file(path.c_str(), nullptr));
    }
}
BENCHMARK(load_and_parse_only)->Unit(benchmark::kMillisecond);

void convert_body_only(benchmark::State& state) {
    const std::string path = bench_path();
    save_document_file(large_document(), path.c_str());
    const ElementRef body = load_xml_file(path.c_str(), nullptr);
    for ([[maybe_unused]] auto _ : state) {
        Document doc;
        doc.paragraphs = paragraphs_from_body(body);
        benchmark::DoNotOptimize(doc.paragraphs);
    }
}
BENCHMARK(convert_body_only)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
