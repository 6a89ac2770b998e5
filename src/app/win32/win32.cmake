# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# The Windows build: the game's logic with the Windows window, and the
# solver, as two programs that need nothing but what every Windows has.
# Built by MinGW-w64 (natively or from Debian) or by Visual Studio.
enable_language(RC)
set(win32 ${CMAKE_CURRENT_SOURCE_DIR}/src/app/win32)
set(TUMBRA_APP_ID org.tumbra.Tumbra)

# Windows 10 and later, wide-character calls, and no min and max macros to
# hide std::min and std::max.
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00 UNICODE _UNICODE
  NOMINMAX)
if(MSVC)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  add_compile_options(/utf-8)
else()
  # The C++ runtime and threads inside the programs; no time stamp in
  # them, so that two builds give the same bytes.
  add_link_options(-static -Wl,--no-insert-timestamp)
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
    -ffunction-sections -fdata-sections)
  add_link_options(-Wl,--gc-sections)
  # Stripped, as a player's program is, and optimised across files, which
  # with Debian 13's MinGW is what keeps tumbra.exe, the C++ runtime linked
  # in, within 300 kB.
  add_link_options($<$<NOT:$<CONFIG:Debug,RelWithDebInfo>>:-s>)
  add_compile_options($<$<NOT:$<CONFIG:Debug,RelWithDebInfo>>:-flto>)
  add_link_options($<$<NOT:$<CONFIG:Debug,RelWithDebInfo>>:-flto>)
endif()

add_library(tumbra_logic STATIC ${TUMBRA_LOGIC_SOURCES})
target_include_directories(tumbra_logic PUBLIC src)
add_library(tumbra_app STATIC ${TUMBRA_APP_SOURCES})
target_link_libraries(tumbra_app PUBLIC tumbra_logic)
add_library(tumbra_headless STATIC EXCLUDE_FROM_ALL
  src/app/headless/headless_view.cpp)
target_link_libraries(tumbra_headless PUBLIC tumbra_app)

# The window.
add_library(tumbra_win32 STATIC
  ${win32}/accessible.cpp
  ${win32}/live_region.cpp
  ${win32}/block_window.cpp
  ${win32}/circle_pixels.cpp
  ${win32}/fonts.cpp
  ${win32}/form_window.cpp
  ${win32}/placement.cpp
  ${win32}/screen_reader_libraries.cpp
  ${win32}/win_view.cpp
  ${win32}/window_classes.cpp
)
# The screen readers' libraries (oleacc, ole32, oleaut32) are loaded when
# a screen reader first asks.
target_link_libraries(tumbra_win32 PUBLIC tumbra_app user32 gdi32 comctl32)

# Each program carries its icon, its manifest and its version.
function(tumbra_resources target description)
  set(TUMBRA_FILE_DESCRIPTION ${description})
  set(TUMBRA_INTERNAL_NAME ${target})
  set(TUMBRA_ICON ${PROJECT_SOURCE_DIR}/data/icons/${TUMBRA_APP_ID}.ico)
  set(TUMBRA_MANIFEST ${PROJECT_BINARY_DIR}/tumbra.manifest)
  configure_file(${win32}/tumbra.rc.in ${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc APPEND PROPERTY
    OBJECT_DEPENDS ${TUMBRA_ICON} ${TUMBRA_MANIFEST})
endfunction()
configure_file(${win32}/tumbra.manifest.in tumbra.manifest @ONLY)
if(MSVC)
  # The manifest comes with the resources, not from the linker.
  add_link_options(/MANIFEST:NO)
endif()

add_executable(tumbra WIN32 ${win32}/main.cpp)
target_link_libraries(tumbra PRIVATE tumbra_win32)
tumbra_resources(tumbra "Tumbra! puzzle game")

include(src/solve/solver.cmake)
tumbra_resources(tumbra-solve "Tumbra! solver: the shortest solution of each level")

include(CTest)
if(BUILD_TESTING)
  add_subdirectory(tests)
endif()
if(TUMBRA_BENCHMARKS)
  add_subdirectory(bench)
endif()
