# Compiler settings shared by every target of the project.
add_library(norvane_options INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(norvane_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  # Only targets that link norvane_options get it: third-party code built
  # here (GoogleTest in the Windows build) keeps its own settings.
  if(NORVANE_WARNINGS_AS_ERRORS)
    target_compile_options(norvane_options INTERFACE -Werror)
  endif()
endif()
if(NORVANE_SANITIZE)
  target_compile_options(norvane_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(norvane_options INTERFACE -fsanitize=address,undefined)
endif()
if(WIN32)
  # Every .exe runs on a bare Windows (or Wine) with no extra DLLs.
  target_link_options(norvane_options INTERFACE -static -static-libgcc -static-libstdc++)
  target_compile_definitions(norvane_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX)
endif()
