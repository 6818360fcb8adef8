// The framework demo's controls: their labels and client positions, shared by
// the demo and the tests that drive it.
#pragma once

namespace demo {

constexpr const char* program_name = "Framework demo";
constexpr const char* log_variable = "NORVANE_DEMO_LOG";
// The busy button waits for this event (name + process id) to be set, at most
// busy_limit_ms.
constexpr const char* release_event_prefix = "norvane_demo_release_";
constexpr unsigned busy_limit_ms = 20000;

struct place {
    const char* name; // as written in the log
    const char* text; // label of buttons and labels
    int x;
    int y;
};

constexpr place name_label{"name_label", "Name:", 15, 15};
constexpr place name_edit{"name", "", 80, 12};
constexpr place second_label{"second_label", "Second:", 15, 45};
constexpr place second_edit{"second", "", 80, 42};
constexpr place add_button{"add", "&Add", 250, 12};
constexpr place delete_button{"delete", "&Delete", 250, 42};
constexpr place drop_button{"drop", "&Drop", 250, 72};
constexpr place busy_button{"busy", "&Busy", 250, 102};
constexpr place save_button{"save", "&Save as", 340, 12};
constexpr place open_button{"open", "&Open", 340, 42};
constexpr place fail_button{"fail", "&Fail save", 340, 72};
constexpr place exit_button{"exit", "E&xit", 340, 102};
constexpr place fruits_list{"fruits", "", 450, 12};
constexpr place colours_list{"colours", "", 620, 12};
constexpr place notes_box{"notes", "", 15, 422};

constexpr int label_width = 60;
constexpr int label_height = 20;
constexpr int button_height = 24;
constexpr int list_width = 150;
constexpr int list_height = 100;

constexpr const char* fruits[] = {"apple", "banana", "cherry", "damson"};
constexpr const char* colours[] = {"red", "green", "blue"};

// Tab order: creation order of the edit boxes, buttons and list boxes.
constexpr const place* tab_order[] = {&name_edit,   &second_edit,  &add_button,  &delete_button, &drop_button,
                                      &busy_button, &save_button,  &open_button, &fail_button,   &exit_button,
                                      &fruits_list, &colours_list, &notes_box};

} // namespace demo
