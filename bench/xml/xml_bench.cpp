// Parse and write throughput and tree memory of the program's XML parser and writer, side by
// side with three XML libraries, on the same bytes in one process. Rounds alternate between
// the contenders (in a rotating order), so that a change in the machine's load reaches all of
// them alike. Times are CPU time: the machine is shared, and time spent waiting for a core is
// not the parser's. Tree memory is the growth of the heap in use while the tree is kept. Each
// measurement starts from a trimmed heap, as a program's first parse does.
//
//   xml_bench [rounds]          every contender, both documents
//   xml_bench save DIR          writes both documents to DIR/shaped.xml and DIR/dense.xml
//   xml_bench profile FILE      one parse of FILE by the program only (for a profiler)
//   xml_bench profile FILE write  the same, then ten writes of the tree
#include "contenders.h"
#include "document_generator.h"

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int default_rounds = 5;
constexpr int shaped_paragraphs = 100000;
constexpr int dense_elements = 4000000;

double cpu_seconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Bytes handed out by the allocator and not yet freed (small blocks and mapped ones).
double heap_in_use() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

struct Document {
    const char* name;
    std::string text;
};

// One contender's figures on one document, a value per round.
struct Samples {
    std::vector<double> parse; // MB/s
    std::vector<double> write; // MB/s
    double tree_bytes = 0;     // per byte of the document, from the last round
};

double megabytes_per_second(std::size_t bytes, double seconds) {
    return static_cast<double>(bytes) / 1e6 / seconds;
}

void fail(const char* contender, const char* document) {
    std::fprintf(stderr, "xml_bench: %s cannot parse the %s document\n", contender, document);
    std::exit(1);
}

void measure_once(Contender& contender, const Document& document, Samples& samples) {
    // Every contender starts from a heap that holds no free memory of an earlier one: otherwise
    // whoever follows a large tree reuses its pages, and whoever follows a returned one pays
    // for fresh pages.
    malloc_trim(0);
    const double heap_before = heap_in_use();
    const double start = cpu_seconds();
    const bool parsed = contender.parse(document.text);
    const double parse_seconds = cpu_seconds() - start;
    if (!parsed) {
        fail(contender.name(), document.name);
    }
    samples.parse.push_back(megabytes_per_second(document.text.size(), parse_seconds));
    samples.tree_bytes = (heap_in_use() - heap_before) / static_cast<double>(document.text.size());
    if (contender.writes()) {
        const double write_start = cpu_seconds();
        const std::size_t written = contender.write();
        samples.write.push_back(megabytes_per_second(written, cpu_seconds() - write_start));
    }
    contender.drop();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// "median (lowest-highest)", or a dash when there is nothing.
std::string spread(const std::vector<double>& values) {
    if (values.empty()) {
        return "-";
    }
    char line[64];
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    std::snprintf(line, sizeof line, "%.0f (%.0f-%.0f)", median(values), *low, *high);
    return line;
}

void report(const Document& document, const std::vector<std::unique_ptr<Contender>>& contenders,
            const std::vector<Samples>& samples) {
    std::printf("\n%s: %.1f MB\n", document.name, static_cast<double>(document.text.size()) / 1e6);
    std::printf("%-9s %-20s %-20s %11s %10s %10s\n", "", "parse MB/s", "write MB/s", "tree/file",
                "parse/pugi", "write/pugi");
    const Samples& pugi = samples[1];
    for (std::size_t i = 0; i < contenders.size(); ++i) {
        const Samples& s = samples[i];
        char tree[16] = "-";
        if (contenders[i]->writes()) {
            std::snprintf(tree, sizeof tree, "%.2f", s.tree_bytes);
        }
        char write_ratio[16] = "-";
        if (!s.write.empty()) {
            std::snprintf(write_ratio, sizeof write_ratio, "%.2f", median(s.write) / median(pugi.write));
        }
        std::printf("%-9s %-20s %-20s %11s %10.2f %10s\n", contenders[i]->name(), spread(s.parse).c_str(),
                    spread(s.write).c_str(), tree, median(s.parse) / median(pugi.parse), write_ratio);
    }
}

std::vector<Document> make_documents() {
    std::vector<Document> documents;
    // Unique attribute names, so that the strict parsers take the same bytes as the program.
    documents.push_back({"Norvane-shaped", generate_documents(0, shaped_paragraphs).numbered});
    documents.push_back({"dense <a/>", generate_dense_document(dense_elements)});
    return documents;
}

int save(const std::string& folder) {
    const std::vector<Document> documents = make_documents();
    const char* const names[] = {"/shaped.xml", "/dense.xml"};
    for (std::size_t i = 0; i < documents.size(); ++i) {
        std::FILE* const file = std::fopen((folder + names[i]).c_str(), "wb");
        if (file == nullptr || std::fwrite(documents[i].text.data(), 1, documents[i].text.size(), file) !=
                                   documents[i].text.size()) {
            std::fprintf(stderr, "xml_bench: cannot write %s%s\n", folder.c_str(), names[i]);
            return 1;
        }
        std::fclose(file);
    }
    return 0;
}

int profile(const char* path, bool writes) {
    Document document{path, {}};
    std::FILE* const file = std::fopen(path, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "xml_bench: cannot read %s\n", path);
        return 1;
    }
    char chunk[1 << 16];
    for (std::size_t n = 0; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        document.text.append(chunk, n);
    }
    std::fclose(file);
    const std::unique_ptr<Contender> norvane = make_norvane();
    const double start = cpu_seconds();
    if (!norvane->parse(document.text)) {
        fail(norvane->name(), document.name);
    }
    std::printf("%s: parse %.0f MB/s\n", document.name,
                megabytes_per_second(document.text.size(), cpu_seconds() - start));
    for (int i = 0; writes && i < 10; ++i) {
        const double write_start = cpu_seconds();
        const std::size_t written = norvane->write();
        std::printf("write %.0f MB/s\n", megabytes_per_second(written, cpu_seconds() - write_start));
    }
    std::fflush(stdout);
    std::_Exit(0); // the parse alone: no release of the tree in the profile
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "profile") == 0) {
        return profile(argv[2], argc > 3 && std::strcmp(argv[3], "write") == 0);
    }
    if (argc > 2 && std::strcmp(argv[1], "save") == 0) {
        return save(argv[2]);
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : default_rounds;
    const std::vector<Document> documents = make_documents();
    std::vector<std::unique_ptr<Contender>> contenders;
    contenders.push_back(make_norvane());
    contenders.push_back(make_pugixml());
    contenders.push_back(make_tinyxml2());
    contenders.push_back(make_expat());

    std::printf("%d rounds, alternating; CPU time; MB/s of the document parsed and of the text written\n",
                rounds);
    std::printf("tree/file: heap bytes the kept tree takes per byte of the document\n");
    std::vector<std::vector<Samples>> samples(documents.size(), std::vector<Samples>(contenders.size()));
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t d = 0; d < documents.size(); ++d) {
            for (std::size_t k = 0; k < contenders.size(); ++k) {
                const std::size_t c = (k + static_cast<std::size_t>(round)) % contenders.size();
                measure_once(*contenders[c], documents[d], samples[d][c]);
            }
        }
    }
    for (std::size_t d = 0; d < documents.size(); ++d) {
        report(documents[d], contenders, samples[d]);
    }
    return 0;
}
