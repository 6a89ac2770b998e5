# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# The players' release notes are written once, in NEWS; the AppStream
# metadata's releases are made from it here. NEWS holds a release as its
# heading "Tumbra! VERSION (YYYY-MM-DD)", underlined with "=", then
# paragraphs and items ("* " and lines indented by two), each ended by a
# blank line. Sets TUMBRA_RELEASES_XML.
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/NEWS news)
string(REPLACE "&" "&amp;" news "${news}")
string(REPLACE "<" "&lt;" news "${news}")
string(REPLACE ">" "&gt;" news "${news}")
# A list of lines: a ";" of the text would split one.
string(REPLACE ";" "@SEMICOLON@" news "${news}")
string(REPLACE "\n" ";" lines "${news}")

set(TUMBRA_RELEASES_XML "")
set(block "")     # the paragraph or item being read
set(kind "")      # p or li
set(in_list OFF)
set(in_release OFF)
macro(end_block)
  if(NOT block STREQUAL "")
    if(kind STREQUAL "li" AND NOT in_list)
      string(APPEND TUMBRA_RELEASES_XML "        <ul>\n")
      set(in_list ON)
    elseif(kind STREQUAL "p" AND in_list)
      string(APPEND TUMBRA_RELEASES_XML "        </ul>\n")
      set(in_list OFF)
    endif()
    if(in_list)
      string(APPEND TUMBRA_RELEASES_XML "  ")
    endif()
    string(APPEND TUMBRA_RELEASES_XML "        <${kind}>${block}</${kind}>\n")
  endif()
  set(block "")
endmacro()
macro(end_release)
  end_block()
  if(in_list)
    string(APPEND TUMBRA_RELEASES_XML "        </ul>\n")
    set(in_list OFF)
  endif()
  if(in_release)
    string(APPEND TUMBRA_RELEASES_XML "      </description>\n    </release>\n")
  endif()
endmacro()
foreach(line IN LISTS lines)
  if(line MATCHES "^Tumbra! ([0-9.]+) \\(([0-9-]+)\\)$")
    end_release()
    string(APPEND TUMBRA_RELEASES_XML
      "    <release version=\"${CMAKE_MATCH_1}\" date=\"${CMAKE_MATCH_2}\">\n"
      "      <description>\n")
    set(in_release ON)
  elseif(line MATCHES "^=+$" OR NOT in_release)
  elseif(line STREQUAL "")
    end_block()
  elseif(line MATCHES "^\\* (.*)")
    end_block()
    set(kind li)
    set(block "${CMAKE_MATCH_1}")
  elseif(kind STREQUAL "li" AND NOT block STREQUAL "" AND line MATCHES "^  (.*)")
    string(APPEND block " ${CMAKE_MATCH_1}")
  elseif(block STREQUAL "")
    set(kind p)
    set(block "${line}")
  else()
    string(APPEND block " ${line}")
  endif()
endforeach()
end_release()
string(REPLACE "@SEMICOLON@" ";" TUMBRA_RELEASES_XML
  "${TUMBRA_RELEASES_XML}")
