// The program resources every framework program carries: icon 101 in two
// sizes and the version 1.01.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/wk_app.h"

namespace {

TEST(resources, icon_101_comes_in_32_and_16_pixels) {
    for (const int size : {32, 16}) {
        const HANDLE icon =
            LoadImageA(wk_instance.instance_handle, MAKEINTRESOURCEA(101), IMAGE_ICON, size, size, 0);
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_NE(GetIconInfo(static_cast<HICON>(icon), &info), FALSE);
        BITMAP colour{};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(static_cast<HICON>(icon));
    }
}

std::string version_string(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(path, &ignored));
    if (block.empty() ||
        GetFileVersionInfoA(path, 0, static_cast<DWORD>(block.size()), block.data()) == FALSE) {
        return "(no version resource)";
    }
    void* value = nullptr;
    UINT length = 0;
    const std::string key = std::string("\\\\StringFileInfo\\\\040904E4\\\\") + name;
    if (VerQueryValueA(block.data(), key.c_str(), &value, &length) == FALSE) {
        return "(no " + std::string(name) + ")";
    }
    return static_cast<const char*>(value);
}

TEST(resources, the_version_is_1_01) {
    EXPECT_EQ(version_string("ProductVersion"), program_version);
    EXPECT_EQ(version_string("FileVersion"), "1.01");
}

} // namespace
