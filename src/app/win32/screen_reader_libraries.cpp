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

// Active Accessibility's annotation service, and the interface it offers.
constexpr CLSID annotation_service = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID annotating = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

bool asked = false;

}  // namespace

bool libraries_loaded() { return asked; }

const Libraries& libraries() {
  static const Libraries loaded = [] {
    asked = true;
    auto load = [](const wchar_t* name) {
      return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    };
    // The answer is marshalled through COM, which this thread then needs.
    const HMODULE ole32 = load(L"ole32.dll");
    if (auto start = function_of<decltype(&CoInitializeEx)>(ole32,
                                                            "CoInitializeEx")) {
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
    if (auto make = function_of<decltype(&CoCreateInstance)>(ole32,
                                                             "CoCreateInstance")) {
      void* annotations = nullptr;
      if (SUCCEEDED(make(annotation_service, nullptr, CLSCTX_INPROC_SERVER,
                         annotating, &annotations))) {
        found.annotations = static_cast<IAccPropServices*>(annotations);
      }
    }
    return found;
  }();
  return loaded;
}

}  // namespace tumbra
