// The control font's size and the classification of control notifications.
#include <gtest/gtest.h>

#include "framework/make_font.h"
#include "framework/wk_app.h"
#include "framework/wk_event.h"

namespace {

TEST(font_height, is_the_negative_rounded_pixel_height_of_the_points) {
    struct case_row {
        int points;
        int pixels_per_inch;
        int height;
    };
    const case_row rows[] = {
        {8, 96, -11},  // 10.67 rounds up
        {8, 72, -8},   // one pixel per point
        {8, 120, -13}, // 13.33 rounds down
        {10, 96, -13}, // 13.33
        {9, 96, -12},  // exactly 12
        {7, 96, -9},   // 9.33
        {8, 144, -16},
    };
    for (const case_row& row : rows) {
        EXPECT_EQ(font_height(row.points, row.pixels_per_inch), row.height)
            << row.points << " points at " << row.pixels_per_inch << " pixels per inch";
    }
}

TEST(make_font, asks_for_the_control_font_description) {
    const HDC screen = GetDC(nullptr);
    const int pixels_per_inch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    for (const HFONT font : {make_font(8, 400), control_font}) {
        LOGFONTA description{};
        ASSERT_EQ(GetObjectA(font, sizeof description, &description), static_cast<int>(sizeof description));
        EXPECT_EQ(description.lfHeight, font_height(8, pixels_per_inch));
        if (pixels_per_inch == 96) {
            EXPECT_EQ(description.lfHeight, -11);
        }
        EXPECT_EQ(description.lfWidth, 0);
        EXPECT_EQ(description.lfWeight, 400);
        EXPECT_EQ(description.lfItalic, 0);
        EXPECT_EQ(description.lfUnderline, 0);
        EXPECT_EQ(description.lfStrikeOut, 0);
        EXPECT_EQ(description.lfCharSet, ANSI_CHARSET);
        EXPECT_EQ(description.lfOutPrecision, OUT_STRING_PRECIS);
        EXPECT_EQ(description.lfClipPrecision, CLIP_STROKE_PRECIS);
        EXPECT_EQ(description.lfQuality, PROOF_QUALITY);
        EXPECT_EQ(description.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
        EXPECT_STREQ(description.lfFaceName, "MS Sans Serif");
    }
    LOGFONTA bold{};
    GetObjectA(make_font(12, 700), sizeof bold, &bold);
    EXPECT_EQ(bold.lfWeight, 700);
    EXPECT_EQ(bold.lfHeight, font_height(12, pixels_per_inch));
}

TEST(classify_command, turns_notifications_into_event_kinds) {
    constexpr LPARAM control = 0x1234;
    struct case_row {
        WORD id;
        WORD notification;
        int kind;
        LPARAM value;
    };
    const case_row rows[] = {
        {9999, 0, event_activate, control},     // button click
        {9999, 1, event_select, control},       // list selection change
        {9999, 2, event_double_click, control}, // list double click
        {1, 0, event_enter, control},
        {2, 0, event_escape, control},
        {40001, 0, event_command, 40001}, // any other id: the id is the value
        {3, 0, event_command, 3},
        {7, 1, event_select, control}, // kinds 6 and 3 whatever the id
        {7, 2, event_double_click, control},
        {9999, EN_CHANGE, event_none, control}, // edit-box notifications post nothing
        {9999, EN_SETFOCUS, event_none, control},
        {9999, 5, event_none, control},
    };
    for (const case_row& row : rows) {
        const wk_event event = classify_command(MAKEWPARAM(row.id, row.notification), control);
        EXPECT_EQ(event.kind, row.kind) << "id " << row.id << " notification " << row.notification;
        if (event.kind != event_none) {
            EXPECT_EQ(event.value, row.value) << "id " << row.id << " notification " << row.notification;
        }
    }
}

} // namespace
