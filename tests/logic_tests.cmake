# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# The game's logic and the solver, tested wherever the build runs them:
# natively, under Wine for the Windows build, under emulation for another
# architecture (CMAKE_CROSSCOMPILING_EMULATOR runs the programs then).
# TUMBRA_MORE_LOGIC_TESTS adds sources to the logic's tests.
if(TUMBRA_GTEST_SOURCE)
  # Debian's GoogleTest source, built by the same compiler as the game;
  # it names its targets GTest::gtest and GTest::gtest_main itself.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${TUMBRA_GTEST_SOURCE} googletest EXCLUDE_FROM_ALL)
  # Its warnings are its own: ours alone stop the build.
  set_target_properties(gtest gtest_main PROPERTIES
    COMPILE_WARNING_AS_ERROR OFF)
else()
  find_package(GTest REQUIRED)
endif()

add_executable(logic_tests
  app/accessible_text_test.cpp
  app/headless/headless_view_test.cpp
  board/loadshapes_test.cpp
  levels/levels_test.cpp
  play/turnit_test.cpp
  play/play_test.cpp
  ${TUMBRA_MORE_LOGIC_TESTS}
)
target_link_libraries(logic_tests PRIVATE tumbra_headless GTest::gtest_main)
add_test(NAME logic_tests COMMAND logic_tests)

add_executable(solver_tests solve/solver_test.cpp)
target_link_libraries(solver_tests PRIVATE tumbra_solver tumbra_headless
  GTest::gtest_main)
add_test(NAME solver_tests COMMAND solver_tests)
add_test(NAME solver_command_line
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/solve/check_cli.sh ${PROJECT_VERSION}
    ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tumbra-solve>)
# A broken turn makes the search run long: it fails in seconds instead (in
# a minute under emulation).
set_tests_properties(solver_tests solver_command_line PROPERTIES
  TIMEOUT $<IF:$<BOOL:${CMAKE_CROSSCOMPILING}>,300,60>)
