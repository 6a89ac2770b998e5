# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# The solver beside the game: the game's own level table and ring copies.
add_library(tumbra_solver STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/src/solve/position_table.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/solve/solver.cpp
)
target_link_libraries(tumbra_solver PUBLIC tumbra_logic)
add_executable(tumbra-solve ${CMAKE_CURRENT_SOURCE_DIR}/src/solve/solve_main.cpp)
target_link_libraries(tumbra-solve PRIVATE tumbra_solver)
target_compile_definitions(tumbra-solve PRIVATE
  TUMBRA_VERSION="${PROJECT_VERSION}")
