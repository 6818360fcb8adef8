#include "contenders.h"

#include "xml/parser.h"
#include "xml/writer.h"

#include <expat.h>
#include <pugixml.hpp>
#include <tinyxml2.h>

#include <vector>

namespace {

class Norvane final : public Contender {
  public:
    const char* name() const override { return "norvane"; }
    bool parse(const std::string& text) override {
        ParseResult result{};
        body_ = parse_document(text.c_str(), &result);
        return result.code == parse_ok;
    }
    // As a save does it: counted, one buffer of the exact size, written.
    std::size_t write() override {
        const std::size_t count = write_element(body_.get(), nullptr, 0);
        const std::unique_ptr<char[]> buffer(new char[count + 1]);
        return write_element(body_.get(), buffer.get(), 0) == count ? count : 0;
    }
    void drop() override { body_ = ElementRef(); }

  private:
    ElementRef body_;
};

class Pugixml final : public Contender {
  public:
    const char* name() const override { return "pugixml"; }
    bool parse(const std::string& text) override {
        document_ = std::make_unique<pugi::xml_document>();
        return static_cast<bool>(document_->load_buffer(text.data(), text.size()));
    }
    std::size_t write() override {
        Output out;
        document_->save(out, "\t");
        return out.bytes.size();
    }
    void drop() override { document_.reset(); }

  private:
    struct Output : pugi::xml_writer {
        std::vector<char> bytes;
        void write(const void* data, std::size_t size) override {
            const char* const from = static_cast<const char*>(data);
            bytes.insert(bytes.end(), from, from + size);
        }
    };
    std::unique_ptr<pugi::xml_document> document_;
};

class Tinyxml2 final : public Contender {
  public:
    const char* name() const override { return "tinyxml2"; }
    bool parse(const std::string& text) override {
        document_ = std::make_unique<tinyxml2::XMLDocument>();
        return document_->Parse(text.c_str(), text.size()) == tinyxml2::XML_SUCCESS;
    }
    std::size_t write() override {
        tinyxml2::XMLPrinter printer;
        document_->Print(&printer);
        return static_cast<std::size_t>(printer.CStrSize() - 1);
    }
    void drop() override { document_.reset(); }

  private:
    std::unique_ptr<tinyxml2::XMLDocument> document_;
};

// Builds no tree: its handlers only count, so this is its bare tokenizing speed.
class Expat final : public Contender {
  public:
    const char* name() const override { return "expat"; }
    bool parse(const std::string& text) override {
        // The texts are 8-bit, not UTF-8.
        XML_Parser parser = XML_ParserCreate("ISO-8859-1");
        XML_SetUserData(parser, &counts_);
        XML_SetElementHandler(
            parser,
            [](void* data, const XML_Char*, const XML_Char**) { ++static_cast<Counts*>(data)->elements; },
            [](void*, const XML_Char*) {});
        XML_SetCharacterDataHandler(
            parser, [](void* data, const XML_Char*, int n) { static_cast<Counts*>(data)->characters += n; });
        const bool parsed =
            XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) != XML_STATUS_ERROR;
        XML_ParserFree(parser);
        return parsed;
    }
    bool writes() const override { return false; }
    std::size_t write() override { return 0; }
    void drop() override {}

  private:
    struct Counts {
        long elements = 0;
        long characters = 0;
    };
    Counts counts_;
};

} // namespace

std::unique_ptr<Contender> make_norvane() {
    return std::make_unique<Norvane>();
}
std::unique_ptr<Contender> make_pugixml() {
    return std::make_unique<Pugixml>();
}
std::unique_ptr<Contender> make_tinyxml2() {
    return std::make_unique<Tinyxml2>();
}
std::unique_ptr<Contender> make_expat() {
    return std::make_unique<Expat>();
}
