// The in-process tests run as a program on the framework: the GUI thread
// pumps messages while the tests run on the application thread, exactly as an
// application's code does.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "framework/wk_app.h"
#include "tests/framework/in_process/test_windows.h"

int application_main() {
    text_assign(wk_app.program_name, "In-process test");
    testing::InitGoogleTest(&__argc, __argv); // the program's own arguments, e.g. --gtest_filter
    start_case_watchdog();
    const int result = RUN_ALL_TESTS();
    destroy_test_windows();
    const bool no_box_outside_cases = stop_case_watchdog();
    std::fflush(stdout);
    if (result != 0 || !no_box_outside_cases) {
        ExitProcess(1); // the framework's WinMain always returns 0
    }
    return 0;
}
