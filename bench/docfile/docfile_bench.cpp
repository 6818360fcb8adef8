// Saving and opening a document of 100,000 paragraphs (about 20 MB), whole
// and by stage: the bytes, writing, loading, converting; and saving one of
// 1,000,000 paragraphs (about 230 MB).
#include "bench/docfile/counting_sink.h"
#include "bench/docfile/large_document.h"
#include "docfile/document_file.h"
#include "docfile/document_writer.h"
#include "xml/loader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

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

// Filled on first use only, so that the other cases do not pay for it.
const Document& million_paragraph_document() {
    static Document doc;
    static const bool filled = (fill_large_document(doc, 1000000), true);
    (void)filled;
    return doc;
}

void save(benchmark::State& state, const Document& doc) {
    const std::string path = bench_path();
    for ([[maybe_unused]] auto _ : state) {
        if (!save_document_file(doc, path.c_str()).ok()) {
            state.SkipWithError("the save failed");
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}

void save_file(benchmark::State& state) {
    save(state, large_document());
}
BENCHMARK(save_file)->Unit(benchmark::kMillisecond);

void save_file_1m(benchmark::State& state) {
    save(state, million_paragraph_document());
}
BENCHMARK(save_file_1m)->Unit(benchmark::kMillisecond)->Iterations(3);

void document_to_bytes(benchmark::State& state) {
    for ([[maybe_unused]] auto _ : state) {
        CountingSink sink;
        write_document(large_document().paragraphs, sink);
        benchmark::DoNotOptimize(sink.count);
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
