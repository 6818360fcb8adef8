// The platform calls behind the file choosers, replaceable so that tests can
// make a chooser fail on purpose (private to the framework and its tests).
#pragma once

#include <windows.h>

#include <commdlg.h>

struct chooser_calls {
    BOOL(WINAPI* open_file_name)(LPOPENFILENAMEA);
    BOOL(WINAPI* save_file_name)(LPOPENFILENAMEA);
    DWORD(WINAPI* extended_error)();
};

// The platform's own calls.
chooser_calls platform_chooser_calls();
// The calls the choosers use; platform_chooser_calls() unless replaced.
chooser_calls& active_chooser_calls();
