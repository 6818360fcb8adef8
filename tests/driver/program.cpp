// Starting and ending the program under test.
#include <cstring>
#include <utility>

#include "tests/driver/gui_driver.h"

namespace gui {

namespace {

std::string variable_name(const std::string& entry) {
    return entry.substr(0, entry.find('=', 1));
}

// The driver's environment with the given variables added or replaced, as a
// block of NUL-terminated entries ending with an empty one.
std::vector<char> environment_block(const std::vector<std::pair<std::string, std::string>>& changes) {
    std::vector<std::string> entries;
    if (char* const own = GetEnvironmentStringsA(); own != nullptr) {
        for (const char* entry = own; *entry != '\0'; entry += std::strlen(entry) + 1) {
            entries.emplace_back(entry);
        }
        FreeEnvironmentStringsA(own);
    }
    for (const auto& change : changes) {
        const std::string& name = change.first;
        std::erase_if(entries, [&](const std::string& e) {
            return lstrcmpiA(variable_name(e).c_str(), name.c_str()) == 0;
        });
        std::string entry = name + '=';
        entry += change.second;
        entries.push_back(std::move(entry));
    }
    std::vector<char> block;
    for (const std::string& entry : entries) {
        block.insert(block.end(), entry.begin(), entry.end());
        block.push_back('\0');
    }
    block.push_back('\0');
    return block;
}

} // namespace

program::~program() {
    kill();
    if (process_ != nullptr) {
        CloseHandle(process_);
    }
}

bool program::start(const std::string& command_line,
                    const std::vector<std::pair<std::string, std::string>>& environment,
                    const std::string& working_directory) {
    std::vector<char> line(command_line.begin(), command_line.end());
    line.push_back('\0');
    std::vector<char> block = environment_block(environment);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, block.data(),
                       working_directory.empty() ? nullptr : working_directory.c_str(), &startup,
                       &info) == FALSE) {
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    process_id_ = info.dwProcessId;
    return true;
}

bool program::running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> program::wait_for_exit(DWORD timeout_ms) {
    if (process_ == nullptr || WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void program::kill() {
    if (running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, default_timeout_ms);
    }
}

} // namespace gui
