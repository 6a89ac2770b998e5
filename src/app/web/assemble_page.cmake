# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Writes the page: the template with its scripts (the window's fitting, the
# page's first lines and the module's script, WebAssembly inside) in their
# places and the first level's board built in, so that the page is one file
# that paints its board at once; and beside it what a web server offers with it: the web app
# manifest, the icon and the worker that keeps a copy of them for offline
# play.
# The window's caption comes from its design (DESIGN, form1_design.h).
#   cmake -DWEB=src/app/web -DDESIGN=src/app/form1_design.h -DSCRIPT=tumbra.js
#         -DICON=icon.svg -DOUT=dir -P ...
file(READ ${DESIGN} design)
if(NOT design MATCHES "caption = \"([^\"]+)\"")
  message(FATAL_ERROR "no caption in ${DESIGN}")
endif()
set(caption "${CMAKE_MATCH_1}")
file(READ ${WEB}/page.html page)
string(REPLACE "@TUMBRA_CAPTION@" "${caption}" page "${page}")
file(READ ${WEB}/page_start.js start)
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
set(script "\n${start}")

# A source for the page's policy that lets exactly `text` in: its SHA-256,
# in base64.
function(policy_hash text out)
  string(SHA256 hex "${text}")
  set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
  set(digest "")
  foreach(at RANGE 0 60 6)  # three bytes at a time, two left at the end
    string(SUBSTRING "${hex}" ${at} 6 chunk)
    string(LENGTH "${chunk}" digits)
    if(digits EQUAL 6)
      math(EXPR bits "0x${chunk}")
      set(shifts 18 12 6 0)
    else()
      math(EXPR bits "0x${chunk} << 8")
      set(shifts 18 12 6)
    endif()
    foreach(shift ${shifts})
      math(EXPR index "(${bits} >> ${shift}) & 63")
      string(SUBSTRING "${alphabet}" ${index} 1 letter)
      string(APPEND digest "${letter}")
    endforeach()
  endforeach()
  set(${out} "'sha256-${digest}='" PARENT_SCOPE)
endfunction()

# The page's two scripts, the code they unpack and its style block run and
# apply; no other does, nor any style written into its markup. The board's
# own style block is added, with its hash, once the board is built.
file(READ ${WEB}/page_fit.js fit)
set(fit "\n${fit}")
policy_hash("${fit}" fit_hash)
policy_hash("${script}" script_hash)
policy_hash("${code}" code_hash)
string(REGEX MATCH "<style>([^<]*)</style>" style "${page}")
policy_hash("${CMAKE_MATCH_1}" style_hash)
string(REPLACE "@TUMBRA_SCRIPT_HASH@" "${fit_hash} ${script_hash} ${code_hash}" page "${page}")
string(REPLACE "\n@TUMBRA_FIT@\n" "${fit}" page "${page}")
string(REPLACE "@TUMBRA_STYLE_HASH@" "${style_hash}" page "${page}")
string(REPLACE "\n@TUMBRA_SCRIPT@\n" "${script}" page "${page}")
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
file(WRITE ${OUT}/tumbra.webmanifest "${manifest}")
configure_file(${ICON} ${OUT}/tumbra.svg COPYONLY)

# The worker keeps the three files, each checked against its digest, under
# a name that follows all of them.
set(files "")
foreach(name tumbra.html tumbra.webmanifest tumbra.svg)
  file(SHA256 ${OUT}/${name} sum)
  string(APPEND files "${separator}'${name}': '${sum}'")
  set(separator ",\n  ")
endforeach()
set(files "{\n  ${files}\n}")
string(SHA256 release "${files}")
string(SUBSTRING "${release}" 0 16 release)
file(READ ${WEB}/service_worker.js worker)
string(REPLACE "@TUMBRA_FILES@" "${files}" worker "${worker}")
string(REPLACE "@TUMBRA_RELEASE@" "${release}" worker "${worker}")
file(WRITE ${OUT}/tumbra-sw.js "${worker}")
