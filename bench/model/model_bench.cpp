// Rebuilding the list of all symbols and the two symbol queries on large
// documents, next to the plain nested-walk + insertion-sort rebuild
// (reference_rebuild_all_symbols) at the sizes where that one still finishes.

#include "model/document.h"
#include "tests/model/reference_model.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

constexpr int symbols_per_paragraph = 3;
constexpr int paragraphs_per_distinct_symbol = 5;

// Distinct symbols of 5 to 9 letters in mixed case; about one in ten is a case
// variant of an earlier one, so the sort has equal keys to keep stable.
std::vector<std::string> make_symbol_pool(std::size_t n, std::mt19937& random) {
    std::unordered_set<std::string> seen;
    std::vector<std::string> pool;
    while (pool.size() < n) {
        std::string s;
        if (!pool.empty() && random() % 10 == 0) {
            s = pool[random() % pool.size()];
            for (char& c : s) {
                c = static_cast<char>(c ^ 0x20);
            }
        } else {
            for (int length = 5 + static_cast<int>(random() % 5); length > 0; --length) {
                const char letter = static_cast<char>('a' + random() % 26);
                s += random() % 3 == 0 ? static_cast<char>(letter - 'a' + 'A') : letter;
            }
        }
        if (seen.insert(s).second) {
            pool.push_back(s);
        }
    }
    return pool;
}

struct BenchDocument {
    Document document;
    std::vector<std::string> pool;
};

void fill_document(BenchDocument& b, int paragraphs) {
    std::mt19937 random(42);
    b.pool = make_symbol_pool(static_cast<std::size_t>(paragraphs / paragraphs_per_distinct_symbol), random);
    Paragraph* last = nullptr;
    for (int i = 0; i < paragraphs; ++i) {
        auto* p = new Paragraph;
        text_assign(p->text, ("Paragraph " + std::to_string(i)).c_str());
        for (int k = 0; k < symbols_per_paragraph; ++k) {
            text_list_append_element(p->symbols, new Text(b.pool[random() % b.pool.size()].c_str()));
        }
        // Linked through the tail: appending with a walk would make set-up quadratic.
        if (last) {
            paragraph_list_insert_after(b.document, last, p);
        } else {
            paragraph_list_append(b.document, p);
        }
        last = p;
    }
}

void set_counters(benchmark::State& state, const Document& d) {
    state.counters["links"] = static_cast<double>(state.range(0) * symbols_per_paragraph);
    state.counters["distinct"] = static_cast<double>(d.all_symbols.size());
}

void bm_rebuild_all_symbols(benchmark::State& state) {
    BenchDocument b;
    fill_document(b, static_cast<int>(state.range(0)));
    for ([[maybe_unused]] auto _ : state) {
        rebuild_all_symbols(b.document);
        benchmark::DoNotOptimize(b.document.all_symbols.at(0));
    }
    set_counters(state, b.document);
}

void bm_reference_rebuild_all_symbols(benchmark::State& state) {
    BenchDocument b;
    fill_document(b, static_cast<int>(state.range(0)));
    for ([[maybe_unused]] auto _ : state) {
        const TextList all = reference_all_symbols(b.document);
        benchmark::DoNotOptimize(all.first);
    }
    set_counters(state, b.document);
}

void bm_paragraphs_with_symbol(benchmark::State& state) {
    BenchDocument b;
    fill_document(b, static_cast<int>(state.range(0)));
    const std::string& wanted = b.pool[b.pool.size() / 2];
    std::size_t found = 0;
    for ([[maybe_unused]] auto _ : state) {
        const auto result = paragraphs_with_symbol(b.document, wanted.c_str());
        found = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    state.counters["found"] = static_cast<double>(found);
}

void bm_paragraphs_with_symbol_containing(benchmark::State& state) {
    BenchDocument b;
    fill_document(b, static_cast<int>(state.range(0)));
    std::size_t found = 0;
    for ([[maybe_unused]] auto _ : state) {
        const auto result = paragraphs_with_symbol_containing(b.document, "ab");
        found = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    state.counters["found"] = static_cast<double>(found);
}

BENCHMARK(bm_rebuild_all_symbols)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(bm_reference_rebuild_all_symbols)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(bm_paragraphs_with_symbol)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(bm_paragraphs_with_symbol_containing)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// Prints, after the usual table, how many times faster the rebuild is than the
// plain algorithm at each size both were run.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                times_[run.run_name.function_name][run.run_name.args] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void print_ratios() const {
        const auto fast = times_.find("bm_rebuild_all_symbols");
        const auto plain = times_.find("bm_reference_rebuild_all_symbols");
        if (fast == times_.end() || plain == times_.end()) {
            return;
        }
        for (const auto& [paragraphs, plain_time] : plain->second) {
            const auto fast_time = fast->second.find(paragraphs);
            if (fast_time != fast->second.end() && fast_time->second > 0) {
                std::printf(
                    "rebuild_all_symbols at %s paragraphs: %.1f times faster than the plain algorithm\n",
                    paragraphs.c_str(), plain_time / fast_time->second);
            }
        }
    }

  private:
    std::map<std::string, std::map<std::string, double>> times_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.print_ratios();
    return 0;
}
