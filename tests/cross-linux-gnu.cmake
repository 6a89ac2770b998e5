# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Cross-building the game's logic and the solver for another Linux machine
# with Debian's cross-compilers, linked statically so that qemu's user-mode
# emulator runs the tests with no system of that machine beside them:
# TUMBRA_CROSS names it, s390x (64-bit, big-endian) or i686 (32-bit).
set(CMAKE_SYSTEM_NAME Linux)
# The compiler checks read this file again, and need its machine too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TUMBRA_CROSS)
set(CMAKE_SYSTEM_PROCESSOR ${TUMBRA_CROSS})
set(triple ${TUMBRA_CROSS}-linux-gnu)
set(CMAKE_C_COMPILER ${triple}-gcc)
set(CMAKE_CXX_COMPILER ${triple}-g++)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# Debian 12 names the static emulators so; Debian 13's qemu-user are static.
string(REPLACE i686 i386 machine ${TUMBRA_CROSS})
find_program(TUMBRA_QEMU NAMES qemu-${machine}-static qemu-${machine} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TUMBRA_QEMU})
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
