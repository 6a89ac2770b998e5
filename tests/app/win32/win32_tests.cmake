# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# The Windows build's tests, run under Wine when cross-built: the game's
# logic and the solver's command line, the Windows window and its toolkit
# contract, and what the programs import.
include(${CMAKE_CURRENT_SOURCE_DIR}/logic_tests.cmake)
set(win32_tests ${CMAKE_CURRENT_SOURCE_DIR}/app/win32)
add_executable(win32_tests app/win32/win_view_test.cpp
  app/win32/win_accessibility_test.cpp)
target_link_libraries(win32_tests PRIVATE tumbra_win32 tumbra_headless
  GTest::gtest oleacc ole32 oleaut32)
add_test(NAME win32_tests COMMAND win32_tests)
set_tests_properties(win32_tests PROPERTIES
  ENVIRONMENT "TUMBRA_RANDOM_EVENTS_SCALE=1")

if(CMAKE_CROSSCOMPILING_EMULATOR)
  # Every Windows test runs in a prefix made afresh for the run, one at a
  # time, since Wine keeps one server for a prefix.
  set(prefix ${CMAKE_BINARY_DIR}/wine-prefix)
  add_test(NAME wine_prefix COMMAND ${win32_tests}/make_prefix.sh ${prefix})
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine
    RESOURCE_LOCK wine ENVIRONMENT "WINEPREFIX=${prefix}")
  set_tests_properties(logic_tests solver_tests win32_tests solver_command_line PROPERTIES
    FIXTURES_REQUIRED wine RESOURCE_LOCK wine
    ENVIRONMENT_MODIFICATION "WINEPREFIX=set:${prefix}")
endif()

# What the real-window cases read of the Windows game from outside.
add_executable(window_probe app/win32/window_probe.cpp)
target_link_libraries(window_probe PRIVATE oleacc ole32 oleaut32 user32)

# The real-window cases that apply to the Windows program, under Wine.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(real_window ${CMAKE_CURRENT_SOURCE_DIR}/real_window/real_window_test.py)
  execute_process(COMMAND ${Python3_EXECUTABLE} ${real_window} --list
      --program tumbra.exe
    OUTPUT_VARIABLE real_window_cases OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${real_window})
  foreach(case ${real_window_cases})
    add_test(NAME real_window.${case}
      COMMAND ${Python3_EXECUTABLE} ${real_window}
        --program $<TARGET_FILE:tumbra> --probe $<TARGET_FILE:window_probe>
        --artifacts ${CMAKE_BINARY_DIR}/real-window --case ${case})
    set_tests_properties(real_window.${case} PROPERTIES LABELS real_window
      TIMEOUT 300 FIXTURES_REQUIRED wine RESOURCE_LOCK wine
      ENVIRONMENT "WINEPREFIX=${prefix}")
  endforeach()
endif()

add_test(NAME imports_are_system_dlls
  COMMAND ${win32_tests}/check_imports.sh $<TARGET_FILE:tumbra>
    $<TARGET_FILE:tumbra-solve>)
