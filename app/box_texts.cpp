// The words of the main window's boxes.
#include "app/box_texts.h"

#include <initializer_list>
#include <string_view>

namespace {

using box_kind = box_message::box_kind;

// Memory can run out in the document's own change, which then does not happen
// (each change is whole or not at all), or in showing the result afterwards,
// when the change is done: the box cannot claim either.
constexpr const char* out_of_memory_text =
    "Not enough memory to finish the command. The window now shows the document as it is.";
constexpr const char* document_emptied = " The document is now empty.";

enum class file_use { reading, writing };

// Why a file could not be read or written, to follow "Cannot ... "path": ".
std::string reason(const FileStatus& status, file_use use) {
    switch (status.problem) {
    case FileProblem::none:
        return "no reason was given";
    case FileProblem::no_name:
        return "no file name was given";
    case FileProblem::not_found:
        return use == file_use::reading ? "the file does not exist" : "the folder does not exist";
    case FileProblem::access_denied:
        return "access is denied";
    case FileProblem::in_use:
        return "another program is using the file";
    case FileProblem::is_folder:
        return "a folder has that name";
    case FileProblem::disk_full:
        return "the disk is full";
    case FileProblem::name_too_long:
        return "the name is too long";
    case FileProblem::out_of_memory:
        return "not enough memory";
    case FileProblem::other:
        return status.system_text.empty() ? "the system gave no reason" : status.system_text;
    }
    return "no reason was given";
}

// What is wrong with a file that is not a document, in plain words.
const char* fault(int parse_code) {
    switch (parse_code) {
    case parse_unmatched_end_tag:
        return "an end tag matches no open element";
    case parse_no_xml_data:
    case parse_no_elements:
        return "it holds no XML elements";
    case parse_first_token_not_start_tag:
        return "it does not start with a tag";
    case parse_missing_start_tag_name:
        return "a tag has no name";
    case parse_missing_end_tag_name:
        return "an end tag has no name";
    case parse_unmatched_quote:
        return "a quotation mark is not closed";
    case parse_unexpected_token:
    case parse_invalid_tag:
        return "a tag is malformed";
    case parse_first_tag_not_found:
        return "it has no \"body\" element";
    case parse_unknown_entity:
        return "an & starts no known character entity";
    case parse_nested_too_deeply:
        return "its elements are nested too deeply";
    case parse_file_too_large:
        return "it is 2 GB or larger";
    default:
        return "it is not well-formed XML";
    }
}

std::string joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        text.append(part);
    }
    return text;
}

// " (line 3, column 7)", or nothing when the fault has no place in the text.
std::string place(const ParseResult& parse) {
    if (parse.line <= 0) {
        return {};
    }
    return joined({" (line ", std::to_string(parse.line), ", column ", std::to_string(parse.column), ")"});
}

std::string quoted(const char* path) {
    return joined({"\"", path != nullptr ? path : "", "\""});
}

// A file that was opened all the same.
std::string warning_text(const ParseResult& parse, const char* path) {
    if (parse.code == parse_ends_inside_element_warning) {
        return joined({quoted(path), " ends inside an element", place(parse),
                       ", as if cut short. It was opened as far as it goes: check the end of the document "
                       "before saving over the file."});
    }
    return joined({quoted(path), " has an end tag that matches no open element", place(parse),
                   ". It was opened: check the document before saving over the file."});
}

} // namespace

box_message out_of_memory_box() {
    return {box_kind::error, out_of_memory_text};
}

box_message save_box(const FileStatus& status, const char* path) {
    if (status.ok()) {
        return {};
    }
    return {box_kind::error, joined({"Cannot save ", quoted(path), ": ", reason(status, file_use::writing),
                                     ". The document is unchanged."})};
}

box_message load_box(const LoadOutcome& outcome, const char* path) {
    switch (outcome.result) {
    case LoadResult::loaded:
        return {};
    case LoadResult::loaded_with_warning:
        return {box_kind::warning, warning_text(outcome.parse, path)};
    case LoadResult::unreadable:
        return {box_kind::error, joined({"Cannot open ", quoted(path), ": ",
                                         reason(outcome.file, file_use::reading), ".", document_emptied})};
    case LoadResult::not_a_document:
        return {box_kind::error, joined({"Cannot open ", quoted(path),
                                         ": it is not a Norvane document: ", fault(outcome.parse.code),
                                         place(outcome.parse), ".", document_emptied})};
    case LoadResult::out_of_memory:
        return out_of_memory_box();
    }
    return {};
}
