# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Writes the page: the template with its scripts (the window's fitting, the
# page's first lines, and the game's code and WebAssembly module packed in
# data blocks) in their places and the first level's board built in, so that
# the page is one file that paints its board at once; and beside it what a
# web server offers with it: the web app manifest, the icon and the worker
# that keeps a copy of them for offline play.
# The window's caption comes from its design (DESIGN, form1_design.h).
#   cmake -DWEB=src/app/web -DDESIGN=src/app/form1_design.h -DSCRIPT=tumbra.js
#         -DICON=icon.svg -DVERSION=1.1.0 -DOUT=dir -P ...
file(READ ${DESIGN} design)
if(NOT design MATCHES "caption = \"([^\"]+)\"")
  message(FATAL_ERROR "no caption in ${DESIGN}")
endif()
set(caption "${CMAKE_MATCH_1}")
# The page's own colour, light and dark: behind the window, in the
# browser's bars, and in the installed app's splash.
set(page_light "#f0f0f0")
set(page_dark "#202124")
file(READ ${WEB}/page.html page)
string(REPLACE "@TUMBRA_CAPTION@" "${caption}" page "${page}")
string(REPLACE "@TUMBRA_PAGE_LIGHT@" "${page_light}" page "${page}")
string(REPLACE "@TUMBRA_PAGE_DARK@" "${page_dark}" page "${page}")
string(REPLACE "@TUMBRA_VERSION@" "${VERSION}" page "${page}")
# The name of every release's kept copy begins so: the worker names them,
# and a page that cannot start drops them. It stays as 1.0.0's worker wrote
# it, since a worker drops only the older copies whose names begin so: with
# another prefix, 1.0.0's copy would be kept for ever.
set(copy_prefix "tumbra-release-")
file(READ ${WEB}/page_start.js start)
string(REPLACE "@TUMBRA_COPY_PREFIX@" "${copy_prefix}" start "${start}")
file(READ ${SCRIPT} module)

# The game's code and its WebAssembly module travel packed, each gzipped in
# base64 in a data block of the page, and the page unpacks them with the
# browser's own DecompressionStream once its first board is painted
# (page_start.js): the module goes from 126 kB of base64 to about 42, and
# neither is parsed before that paint.
set(prefix "data:application/octet-stream;base64,")
string(FIND "${module}" "\"${prefix}AGFzbQ" at)  # "\0asm", its first bytes
if(at LESS 0)
  message(FATAL_ERROR "no WebAssembly module in ${SCRIPT}")
endif()
math(EXPR at "${at} + 1")
string(SUBSTRING "${module}" ${at} -1 rest)
string(FIND "${rest}" "\"" end)
string(SUBSTRING "${rest}" 0 ${end} uri)
string(REPLACE "${uri}" "${prefix}" code "${module}")
string(LENGTH "${prefix}" skip)
string(SUBSTRING "${uri}" ${skip} -1 base64)
# Packs `file` (after `decode`, a command that reads it, if given) into
# `out`: gzip, then base64 on one line.
function(pack file out)
  execute_process(
    COMMAND ${ARGN} ${file}
    COMMAND gzip -9 -n
    COMMAND base64 -w 0
    OUTPUT_VARIABLE packed RESULT_VARIABLE failed)
  if(failed OR packed STREQUAL "")
    message(FATAL_ERROR "could not pack ${file}")
  endif()
  set(${out} "${packed}" PARENT_SCOPE)
endfunction()
file(WRITE ${OUT}/module.base64 "${base64}")
pack(${OUT}/module.base64 packed_module base64 -d)
file(WRITE ${OUT}/code.js "${code}")
pack(${OUT}/code.js packed_code cat)
file(REMOVE ${OUT}/module.base64 ${OUT}/code.js)
string(REPLACE "@TUMBRA_MODULE@" "${packed_module}" page "${page}")
string(REPLACE "@TUMBRA_CODE@" "${packed_code}" page "${page}")

# The page's policy is written once the board is built into it
# (prerender.mjs), from the scripts and styles the finished page holds.
file(READ ${WEB}/page_fit.js fit)
string(REPLACE "\n@TUMBRA_FIT@\n" "\n${fit}" page "${page}")
string(REPLACE "\n@TUMBRA_SCRIPT@\n" "\n${start}" page "${page}")
file(WRITE ${OUT}/tumbra.html "${page}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs
    node ${WEB}/prerender.mjs ${OUT}/tumbra.html
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not build the first board into the page")
endif()

file(READ ${WEB}/tumbra.webmanifest manifest)
string(REPLACE "@TUMBRA_CAPTION@" "${caption}" manifest "${manifest}")
string(REPLACE "@TUMBRA_PAGE_LIGHT@" "${page_light}" manifest "${manifest}")
string(REPLACE "@TUMBRA_VERSION@" "${VERSION}" manifest "${manifest}")
file(WRITE ${OUT}/tumbra.webmanifest "${manifest}")
configure_file(${ICON} ${OUT}/tumbra.svg COPYONLY)

# The worker keeps the three files, each checked against its digest, under
# a name that follows all of them and the worker's own code.
set(files "")
foreach(name tumbra.html tumbra.webmanifest tumbra.svg)
  file(SHA256 ${OUT}/${name} sum)
  string(APPEND files "${separator}'${name}': '${sum}'")
  set(separator ",\n  ")
endforeach()
set(files "{\n  ${files}\n}")
file(READ ${WEB}/service_worker.js worker)
string(REPLACE "@TUMBRA_VERSION@" "${VERSION}" worker "${worker}")
string(REPLACE "@TUMBRA_COPY_PREFIX@" "${copy_prefix}" worker "${worker}")
string(REPLACE "@TUMBRA_FILES@" "${files}" worker "${worker}")
string(SHA256 release "${worker}")
string(SUBSTRING "${release}" 0 16 release)
string(REPLACE "@TUMBRA_RELEASE@" "${release}" worker "${worker}")
file(WRITE ${OUT}/tumbra-sw.js "${worker}")
