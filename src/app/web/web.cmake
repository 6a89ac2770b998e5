# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# The browser's build: the game's logic and the browser's window, compiled
# with Emscripten into one self-contained page, tumbra.html, and beside it
# what makes it installable and playable offline when served.
set(web ${CMAKE_CURRENT_SOURCE_DIR}/src/app/web)
add_executable(tumbra_web ${TUMBRA_LOGIC_SOURCES} ${TUMBRA_APP_SOURCES}
  ${web}/web_main.cpp ${web}/page_view.cpp)
target_include_directories(tumbra_web PRIVATE src)
set_target_properties(tumbra_web PROPERTIES OUTPUT_NAME tumbra SUFFIX .js)
# Exceptions carry a programming error to the handler that stops the game;
# Asyncify lets a handler wait for its message box.
target_compile_options(tumbra_web PRIVATE -fexceptions)
target_link_options(tumbra_web PRIVATE
  -fexceptions
  -sASYNCIFY
  "-sASYNCIFY_IMPORTS=['tumbra_dom_message_box']"
  "-sEXPORTED_FUNCTIONS=['_tumbra_start','_tumbra_turn_mousedown','_tumbra_reset_click']"
  "-sEXPORTED_RUNTIME_METHODS=['ccall']"
  -sSINGLE_FILE=1
  -sENVIRONMENT=web
  -sINITIAL_MEMORY=4MB
  -sTOTAL_STACK=256KB
  -sASSERTIONS=0
  -sDYNAMIC_EXECUTION=0
  "SHELL:--js-library ${web}/dom_window.js"
  "SHELL:--js-library ${web}/dom_box.js")
set_property(TARGET tumbra_web APPEND PROPERTY LINK_DEPENDS
  ${web}/dom_window.js ${web}/dom_box.js)
file(STRINGS ${web}/published.list published REGEX "^[^#]")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${web}/published.list)
add_custom_command(
  OUTPUT ${published}
  COMMAND ${CMAKE_COMMAND} -DWEB=${web} -DSCRIPT=$<TARGET_FILE:tumbra_web>
    -DDESIGN=${CMAKE_CURRENT_SOURCE_DIR}/src/app/form1_design.h
    -DICON=${CMAKE_CURRENT_SOURCE_DIR}/data/icons/org.tumbra.Tumbra.svg
    -DVERSION=${PROJECT_VERSION}
    -DOUT=${CMAKE_CURRENT_BINARY_DIR} -P ${web}/assemble_page.cmake
  DEPENDS tumbra_web ${web}/page.html ${web}/page_start.js ${web}/page_fit.js
    ${web}/prerender.mjs
    ${web}/service_worker.js ${web}/tumbra.webmanifest
    ${web}/assemble_page.cmake ${CMAKE_CURRENT_SOURCE_DIR}/src/app/form1_design.h
    ${CMAKE_CURRENT_SOURCE_DIR}/data/icons/org.tumbra.Tumbra.svg)
add_custom_target(tumbra_page ALL DEPENDS tumbra.html)
