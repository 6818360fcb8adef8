// Waiting for effects, and a look at the screen for debugging.
#include <fstream>

#include "tests/driver/gui_driver.h"

namespace gui {

bool wait_until(const std::function<bool()>& condition, DWORD timeout_ms, DWORD poll_ms) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(poll_ms);
    }
}

std::vector<std::string> read_lines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string own_directory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory = path;
    return directory.substr(0, directory.find_last_of("\\/") + 1);
}

std::string make_temporary_directory(const std::string& prefix) {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    for (unsigned attempt = 0;; ++attempt) {
        const std::string path = std::string(base) + prefix + std::to_string(GetCurrentProcessId()) + "_" +
                                 std::to_string(GetTickCount64()) + "_" + std::to_string(attempt);
        if (CreateDirectoryA(path.c_str(), nullptr) != FALSE) {
            return path + "\\";
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            return {};
        }
    }
}

namespace {

struct screen_copy {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);

    screen_copy() = default;
    screen_copy(const screen_copy&) = delete;
    screen_copy& operator=(const screen_copy&) = delete;
    ~screen_copy() {
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
};

} // namespace

bool screenshot(const std::string& path) {
    screen_copy copy;
    const HGDIOBJ previous = SelectObject(copy.memory, copy.bitmap);
    BitBlt(copy.memory, 0, 0, copy.width, copy.height, copy.screen, 0, 0, SRCCOPY);
    SelectObject(copy.memory, previous);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = copy.width;
    header.biHeight = copy.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    const int row = ((copy.width * 3) + 3) & ~3;
    std::string pixels(static_cast<size_t>(row) * copy.height, '\0');
    if (GetDIBits(copy.memory, copy.bitmap, 0, copy.height, pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == 0) {
        return false;
    }
    BITMAPFILEHEADER file_header{};
    file_header.bfType = 0x4D42; // "BM"
    file_header.bfOffBits = sizeof file_header + sizeof header;
    file_header.bfSize = file_header.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(&file_header), sizeof file_header);
    file.write(reinterpret_cast<const char*>(&header), sizeof header);
    file.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return file.good();
}

} // namespace gui
