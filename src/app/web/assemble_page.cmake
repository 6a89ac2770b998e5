# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Writes the page: the template with the module's script (WebAssembly
# inside) in its place, so that the page is one file.
#   cmake -DTEMPLATE=page.html -DSCRIPT=tumbra.js -DOUTPUT=tumbra.html -P ...
file(READ ${TEMPLATE} page)
file(READ ${SCRIPT} script)
# The script must not end its own element early.
string(REPLACE "</script" "<\\/script" script "${script}")
string(REPLACE "@TUMBRA_JS@" "${script}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
