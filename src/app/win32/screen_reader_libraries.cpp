// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/win32/screen_reader_libraries.h"

namespace tumbra {

namespace {

// A function of a system library, by its name.
template <class Function>
Function function_of(HMODULE library, const char* name) {
  const FARPROC found =
      library == nullptr ? nullptr : GetProcAddress(library, name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

const Libraries& libraries() {
  static const Libraries loaded = [] {
    auto load = [](const wchar_t* name) {
      return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    };
    // The answer is marshalled through COM, which this thread then needs.
    if (auto start = function_of<decltype(&CoInitializeEx)>(
            load(L"ole32.dll"), "CoInitializeEx")) {
      start(nullptr, COINIT_APARTMENTTHREADED);
    }
    const HMODULE oleacc = load(L"oleacc.dll");
    Libraries found;
    found.standard_object = function_of<decltype(&CreateStdAccessibleObject)>(
        oleacc, "CreateStdAccessibleObject");
    found.answer =
        function_of<decltype(&LresultFromObject)>(oleacc, "LresultFromObject");
    found.make_text = function_of<decltype(&SysAllocString)>(
        load(L"oleaut32.dll"), "SysAllocString");
    return found;
  }();
  return loaded;
}

}  // namespace tumbra
