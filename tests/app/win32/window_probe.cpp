// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// What the real-window cases ask of the Windows game from outside, as
// another program on the same desktop would:
//   window_probe tree         prints, as JSON, what a screen reader reads
//                             of each window titled Tumbra!, over Active
//                             Accessibility: role, name, description and
//                             children, as the AT-SPI reader prints them
//   window_probe place        where Windows has that window: its whole
//                             rectangle and the work area of its monitor,
//                             each as left top right bottom
//   window_probe close        asks that window to close (WM_CLOSE)
//   window_probe end-session  ends the session for it, as Windows does at
//                             logoff (WM_QUERYENDSESSION, WM_ENDSESSION)
//   window_probe box          prints, as JSON, the title and text of the
//                             box the game shows, as a screen reader reads
//                             them from the dialog
//   window_probe listen       prints, as JSON lines until its input ends,
//                             what a screen reader hears unasked: each live
//                             region's change by the name it has then, and
//                             each dialog as it starts; first, whether this
//                             system keeps the annotations that make a live
//                             region
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <thread>
#include <string>
#include <vector>

namespace {

std::vector<HWND> game_windows() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND window, LPARAM out) -> BOOL {
        wchar_t title[64] = {};
        GetWindowTextW(window, title, 64);
        if (IsWindowVisible(window) && std::wstring(title) == L"Tumbra!") {
          reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string json(const wchar_t* text) {
  std::string out = "\"";
  for (; text != nullptr && *text; ++text) {
    const wchar_t c = *text;
    if (c == L'"' || c == L'\\') out += '\\';
    out += c < 0x80 ? static_cast<char>(c) : '?';
  }
  return out + "\"";
}

const char* role_name(long role) {
  switch (role) {
    case ROLE_SYSTEM_PUSHBUTTON: return "push button";
    case ROLE_SYSTEM_GRAPHIC: return "image";
    case ROLE_SYSTEM_STATICTEXT: return "label";
    case ROLE_SYSTEM_GROUPING: return "panel";
    default: return "other";
  }
}

std::string node(const char* role, const std::string& name,
                 const std::string& description,
                 const std::vector<std::string>& children) {
  std::string out = "{\"role\": \"" + std::string(role) + "\", \"name\": " +
                    name + ", \"description\": " + description +
                    ", \"children\": [";
  for (std::size_t i = 0; i < children.size(); ++i) {
    out += (i ? ", " : "") + children[i];
  }
  return out + "]}";
}

// One accessible, or one of its simple children.
std::string read(IAccessible* object, long child_id, bool with_children) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = child_id;
  BSTR name = nullptr, description = nullptr;
  object->get_accName(child, &name);
  object->get_accDescription(child, &description);
  VARIANT role;
  VariantInit(&role);
  object->get_accRole(child, &role);
  std::vector<std::string> children;
  long count = 0;
  if (with_children && SUCCEEDED(object->get_accChildCount(&count))) {
    for (long i = 1; i <= count; ++i) children.push_back(read(object, i, false));
  }
  const std::string out =
      node(role_name(role.vt == VT_I4 ? role.lVal : 0), json(name),
           json(description), children);
  SysFreeString(name);
  SysFreeString(description);
  return out;
}

std::string frame(HWND window) {
  std::vector<std::string> children;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    IAccessible* object = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(
            c, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
            reinterpret_cast<void**>(&object)))) {
      children.push_back(read(object, CHILDID_SELF, true));
      object->Release();
    }
  }
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  return node("frame", json(title), "\"\"", children);
}

// One accessible object's name.
std::string name_of(HWND window, LONG object) {
  IAccessible* read = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(object),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&read)))) {
    return "null";
  }
  VARIANT self{};
  self.vt = VT_I4;
  BSTR name = nullptr;
  read->get_accName(self, &name);
  const std::string out = json(name);
  SysFreeString(name);
  read->Release();
  return out;
}

// A box: its title as its window's name, its text as its text's.
std::string box_json(HWND box) {
  return "{\"title\": " + name_of(box, OBJID_CLIENT) +
         ", \"text\": " + name_of(GetDlgItem(box, 0xFFFF), OBJID_CLIENT) + "}";
}

// Whether this system keeps a window's annotations, tried on a window of
// the probe's own with the live setting's.
bool keeps_annotations() {
  static const GUID live = {0xc12bcd8e, 0x2a8e, 0x4950,
                            {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
  IAccPropServices* annotations = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr,
                              CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                              reinterpret_cast<void**>(&annotations)))) {
    return false;
  }
  HWND own = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr,
                             nullptr, nullptr, nullptr);
  VARIANT polite{};
  polite.vt = VT_I4;
  polite.lVal = 1;
  const bool kept = SUCCEEDED(annotations->SetHwndProp(
      own, OBJID_CLIENT, CHILDID_SELF, live, polite));
  DestroyWindow(own);
  annotations->Release();
  return kept;
}

void CALLBACK heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                    LONG, DWORD, DWORD) {
  if (event == EVENT_SYSTEM_DIALOGSTART) {
    std::printf("{\"dialog\": %s}\n", box_json(window).c_str());
  } else if (object == OBJID_CLIENT) {
    std::printf("{\"live\": %s}\n", name_of(window, OBJID_CLIENT).c_str());
  }
  std::fflush(stdout);
}

int listen() {
  std::printf("{\"annotations\": %s}\n", keeps_annotations() ? "true" : "false");
  std::fflush(stdout);
  for (DWORD event : {EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_SYSTEM_DIALOGSTART}) {
    SetWinEventHook(event, event, nullptr, heard, 0, 0, WINEVENT_OUTOFCONTEXT);
  }
  const DWORD thread = GetCurrentThreadId();
  std::thread([thread] {
    char rest[64];
    DWORD read = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), rest, sizeof rest, &read,
                    nullptr) && read > 0) {
    }
    PostThreadMessageW(thread, WM_QUIT, 0, 0);
  }).detach();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string verb = argc == 2 ? argv[1] : "";
  const std::vector<HWND> windows = game_windows();
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (verb == "listen") return listen();
  if (verb == "tree") {
    std::vector<std::string> frames;
    for (HWND window : windows) frames.push_back(frame(window));
    std::printf("%s\n", node("application", "\"tumbra\"", "\"\"", frames).c_str());
    return 0;
  }
  if (windows.empty()) {
    std::fprintf(stderr, "window_probe: no window titled Tumbra!\n");
    return 1;
  }
  if (verb == "place") {
    RECT outer;
    GetWindowRect(windows[0], &outer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(windows[0], MONITOR_DEFAULTTONEAREST),
                    &monitor);
    const RECT& work = monitor.rcWork;
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", outer.left, outer.top,
                outer.right, outer.bottom, work.left, work.top, work.right,
                work.bottom);
    return 0;
  }
  if (verb == "box") {
    HWND box = nullptr;
    EnumThreadWindows(
        GetWindowThreadProcessId(windows[0], nullptr),
        [](HWND window, LPARAM out) -> BOOL {
          wchar_t type[16] = {};
          GetClassNameW(window, type, 16);
          if (std::wstring(type) != L"#32770" || !IsWindowVisible(window)) return TRUE;
          *reinterpret_cast<HWND*>(out) = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) return 1;
    std::printf("%s\n", box_json(box).c_str());
    return 0;
  }
  if (verb == "close") {
    PostMessageW(windows[0], WM_CLOSE, 0, 0);
    return 0;
  }
  if (verb == "end-session") {
    DWORD_PTR agreed = 0;
    SendMessageTimeoutW(windows[0], WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG,
                        5000, &agreed);
    SendMessageTimeoutW(windows[0], WM_ENDSESSION, agreed != 0, 0,
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    std::printf("%s\n", agreed ? "agreed" : "refused");
    return agreed ? 0 : 1;
  }
  std::fprintf(stderr,
               "usage: window_probe tree|place|close|end-session|box|listen\n");
  return 2;
}
