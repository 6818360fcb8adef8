// Parse and write throughput of the program's XML parser and writer, side by side with
// three widely used XML libraries on a document of the same shape (best of five runs, in CPU
// time: the machine is shared, and time spent waiting for a core is not the parser's).
#include "document_generator.h"

#include "xml/parser.h"
#include "xml/writer.h"

#include <expat.h>
#include <pugixml.hpp>
#include <tinyxml2.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <time.h>

namespace {

constexpr int rounds = 5;
constexpr std::size_t document_bytes = std::size_t{50} * 1000 * 1000;

// CPU time used by the process so far, in seconds (the benchmark runs on one thread).
double cpu_seconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Best CPU time of the rounds, in seconds; setup and teardown run outside the clock.
double best_seconds(const std::function<void()>& setup, const std::function<void()>& measured,
                    const std::function<void()>& teardown) {
    double best = 1e30;
    for (int i = 0; i < rounds; ++i) {
        setup();
        const double start = cpu_seconds();
        measured();
        const double seconds = cpu_seconds() - start;
        teardown();
        if (seconds < best) {
            best = seconds;
        }
    }
    return best;
}

double megabytes_per_second(std::size_t bytes, double seconds) {
    return static_cast<double>(bytes) / 1e6 / seconds;
}

void fail(const char* what) {
    std::fprintf(stderr, "xml_bench: %s\n", what);
    std::exit(1);
}

struct Figures {
    double parse = 0;
    double write = 0;
};

Figures measure_ours(const std::string& text) {
    Figures figures;
    ElementRef body;
    figures.parse =
        megabytes_per_second(text.size(), best_seconds([] {},
                                                       [&] {
                                                           ParseResult result{};
                                                           body = parse_document(text.c_str(), &result);
                                                           if (result.code != parse_ok) {
                                                               fail("own parse failed");
                                                           }
                                                       },
                                                       [&] { body = ElementRef(); }));
    body = parse_document(text.c_str(), nullptr);
    std::size_t written = 0;
    figures.write = best_seconds([] {},
                                 [&] {
                                     const std::size_t count = write_element(body.get(), nullptr, 0);
                                     const std::unique_ptr<char[]> buffer(new char[count + 1]);
                                     written = write_element(body.get(), buffer.get(), 0);
                                     if (written != count) {
                                         fail("own write counts differ");
                                     }
                                 },
                                 [] {});
    figures.write = megabytes_per_second(written, figures.write);
    return figures;
}

Figures measure_tinyxml2(const std::string& text) {
    Figures figures;
    std::unique_ptr<tinyxml2::XMLDocument> document;
    figures.parse = megabytes_per_second(
        text.size(),
        best_seconds([&] { document = std::make_unique<tinyxml2::XMLDocument>(); },
                     [&] {
                         if (document->Parse(text.c_str(), text.size()) != tinyxml2::XML_SUCCESS) {
                             fail("tinyxml2 parse failed");
                         }
                     },
                     [&] { document.reset(); }));
    document = std::make_unique<tinyxml2::XMLDocument>();
    document->Parse(text.c_str(), text.size());
    std::size_t written = 0;
    const double seconds = best_seconds([] {},
                                        [&] {
                                            tinyxml2::XMLPrinter printer;
                                            document->Print(&printer);
                                            written = static_cast<std::size_t>(printer.CStrSize() - 1);
                                        },
                                        [] {});
    figures.write = megabytes_per_second(written, seconds);
    return figures;
}

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, std::size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
};

Figures measure_pugixml(const std::string& text) {
    Figures figures;
    std::unique_ptr<pugi::xml_document> document;
    figures.parse = megabytes_per_second(
        text.size(), best_seconds([&] { document = std::make_unique<pugi::xml_document>(); },
                                  [&] {
                                      if (!document->load_buffer(text.data(), text.size())) {
                                          fail("pugixml parse failed");
                                      }
                                  },
                                  [&] { document.reset(); }));
    document = std::make_unique<pugi::xml_document>();
    document->load_buffer(text.data(), text.size());
    std::size_t written = 0;
    const double seconds = best_seconds([] {},
                                        [&] {
                                            StringWriter writer;
                                            document->save(writer, "\t");
                                            written = writer.out.size();
                                        },
                                        [] {});
    figures.write = megabytes_per_second(written, seconds);
    return figures;
}

// Expat builds no tree: the handlers only count, so this is its bare tokenizing speed.
struct ExpatCounts {
    long elements = 0;
    long characters = 0;
};

Figures measure_expat(const std::string& text) {
    Figures figures;
    ExpatCounts counts;
    figures.parse = megabytes_per_second(
        text.size(),
        best_seconds([] {},
                     [&] {
                         // The texts are 8-bit, not UTF-8.
                         XML_Parser parser = XML_ParserCreate("ISO-8859-1");
                         XML_SetUserData(parser, &counts);
                         XML_SetElementHandler(
                             parser,
                             [](void* data, const XML_Char*, const XML_Char**) {
                                 ++static_cast<ExpatCounts*>(data)->elements;
                             },
                             [](void*, const XML_Char*) {});
                         XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char*, int n) {
                             static_cast<ExpatCounts*>(data)->characters += n;
                         });
                         if (XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) ==
                             XML_STATUS_ERROR) {
                             fail("expat parse failed");
                         }
                         XML_ParserFree(parser);
                     },
                     [] {}));
    return figures;
}

} // namespace

// Optional arguments: the document size in MB, and "ours" to measure only the program's own
// parser and writer (for profiling).
int main(int argc, char** argv) {
    const std::size_t bytes =
        argc > 1 ? static_cast<std::size_t>(std::atoi(argv[1])) * 1000u * 1000u : document_bytes;
    const bool ours_only = argc > 2 && std::string(argv[2]) == "ours";
    const GeneratedDocuments documents = generate_documents(bytes);
    std::printf(
        "document: %d paragraphs, %.1f MB in the program's format, %.1f MB with numbered attributes\n",
        documents.paragraphs, static_cast<double>(documents.own.size()) / 1e6,
        static_cast<double>(documents.numbered.size()) / 1e6);
    std::printf("best of %d runs in CPU time; MB/s of input parsed and of output written\n\n", rounds);

    const Figures ours = measure_ours(documents.own);
    if (ours_only) {
        std::printf("norvane: parse %.0f MB/s, write %.0f MB/s\n", ours.parse, ours.write);
        return 0;
    }
    const Figures tiny = measure_tinyxml2(documents.numbered);
    const Figures pugi = measure_pugixml(documents.numbered);
    const Figures expat = measure_expat(documents.numbered);

    std::printf("%-10s %12s %12s %14s %14s\n", "library", "parse MB/s", "write MB/s", "ours/parse",
                "ours/write");
    std::printf("%-10s %12.0f %12.0f\n", "norvane", ours.parse, ours.write);
    std::printf("%-10s %12.0f %12.0f %14.2f %14.2f\n", "tinyxml2", tiny.parse, tiny.write,
                ours.parse / tiny.parse, ours.write / tiny.write);
    std::printf("%-10s %12.0f %12.0f %14.2f %14.2f\n", "pugixml", pugi.parse, pugi.write,
                ours.parse / pugi.parse, ours.write / pugi.write);
    std::printf("%-10s %12.0f %12s %14.2f %14s\n", "expat", expat.parse, "-", ours.parse / expat.parse, "-");
    return 0;
}
