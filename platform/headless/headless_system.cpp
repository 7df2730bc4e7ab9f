#include "platform/headless/headless_system.h"

#include <algorithm>

#include "platform/failure.h"

namespace platform::headless {

namespace {

std::string Quote(const char* s) {
  if (s == nullptr) return "null";
  std::string quoted(1, '"');
  quoted.append(s).push_back('"');
  return quoted;
}
std::string Num(std::intmax_t n) {
  return std::to_string(n);
}
std::string Ptr(const void* p) {
  return p == nullptr ? "null" : "&";
}

}  // namespace

std::string Call::Text() const {
  std::string text = name;
  text += '(';
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i > 0) text += ", ";
    text += args[i];
  }
  text += ')';
  return text;
}

HeadlessSystem::HeadlessSystem(int screenWidth, int screenHeight)
    : screenWidth_(screenWidth), screenHeight_(screenHeight) {}

bool HeadlessSystem::Record(const std::string& name, std::vector<std::string> args) {
  if (recording_) calls_.push_back({static_cast<int>(calls_.size()) + 1, name, std::move(args)});
  const auto fault = faults_.find(name);
  if (fault == faults_.end()) return false;
  if (fault->second == Fault::Unreachable) Fail(Failure::Kind::Unreachable, name + " unreachable");
  return true;
}

std::vector<Call> HeadlessSystem::CallsNamed(const std::string& name) const {
  std::vector<Call> named;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(named),
               [&](const Call& c) { return c.name == name; });
  return named;
}

int HeadlessSystem::IndexOf(const std::string& name) const {
  const auto it =
      std::find_if(calls_.begin(), calls_.end(), [&](const Call& c) { return c.name == name; });
  return it == calls_.end() ? -1 : static_cast<int>(it - calls_.begin());
}

std::vector<Hwnd> HeadlessSystem::Windows() const {
  std::vector<Hwnd> handles;
  for (const auto& entry : windows_) handles.push_back(entry.first);
  return handles;
}

WindowState& HeadlessSystem::State(Hwnd window) {
  const auto it = windows_.find(window);
  if (it == windows_.end()) Fail(Failure::Kind::InvalidValue, "no such window");
  return it->second;
}

// --- Windows calls: recorded, then given their effect ---

std::int32_t HeadlessSystem::SetWindowPos(Hwnd window, Hwnd insertAfter, std::int32_t x,
                                          std::int32_t y, std::int32_t cx, std::int32_t cy,
                                          std::uint32_t flags) {
  if (Record("SetWindowPos",
             {Num(window), Num(insertAfter), Num(x), Num(y), Num(cx), Num(cy), Num(flags)})) {
    return 0;
  }
  return EmulatedSystem::SetWindowPos(window, insertAfter, x, y, cx, cy, flags);
}

std::int32_t HeadlessSystem::GetWindowRect(Hwnd window, RECT* rect) {
  if (Record("GetWindowRect", {Num(window), Ptr(rect)})) return 0;
  return EmulatedSystem::GetWindowRect(window, rect);
}

std::int32_t HeadlessSystem::GetCursorPos(POINT* point) {
  if (Record("GetCursorPos", {Ptr(point)})) return 0;
  return EmulatedSystem::GetCursorPos(point);
}

std::int32_t HeadlessSystem::SetWindowRgn(Hwnd window, Hrgn region, std::int32_t redraw) {
  if (Record("SetWindowRgn", {Num(window), Num(region), Num(redraw)})) return 0;
  return EmulatedSystem::SetWindowRgn(window, region, redraw);
}

std::int32_t HeadlessSystem::ReleaseCapture() {
  if (Record("ReleaseCapture", {})) return 0;
  return EmulatedSystem::ReleaseCapture();
}

std::intptr_t HeadlessSystem::SendMessageA(Hwnd window, std::uint32_t message,
                                           std::uintptr_t wParam, std::intptr_t lParam) {
  if (Record("SendMessageA",
             {Num(window), Num(message), Num(static_cast<std::intmax_t>(wParam)), Num(lParam)})) {
    return 0;
  }
  return EmulatedSystem::SendMessageA(window, message, wParam, lParam);
}

Hrgn HeadlessSystem::CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                   std::int32_t bottom) {
  if (Record("CreateRectRgn", {Num(left), Num(top), Num(right), Num(bottom)})) return 0;
  return EmulatedSystem::CreateRectRgn(left, top, right, bottom);
}

std::int32_t HeadlessSystem::CombineRgn(Hrgn destination, Hrgn source1, Hrgn source2,
                                        std::int32_t mode) {
  if (Record("CombineRgn", {Num(destination), Num(source1), Num(source2), Num(mode)})) {
    return RGN_ERROR;
  }
  return EmulatedSystem::CombineRgn(destination, source1, source2, mode);
}

std::int32_t HeadlessSystem::DeleteObject(Hrgn object) {
  if (Record("DeleteObject", {Num(object)})) return 0;
  return EmulatedSystem::DeleteObject(object);
}

std::uint32_t HeadlessSystem::GetPrivateProfileStringA(const char* section, const char* key,
                                                       const char* defaultValue, char* buffer,
                                                       std::uint32_t size, const char* file) {
  if (Record("GetPrivateProfileStringA", {Quote(section), Quote(key), Quote(defaultValue),
                                          Ptr(buffer), Num(size), Quote(file)})) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    return 0;
  }
  return EmulatedSystem::GetPrivateProfileStringA(section, key, defaultValue, buffer, size, file);
}

std::int32_t HeadlessSystem::WritePrivateProfileStringA(const char* section, const char* key,
                                                        const char* value, const char* file) {
  if (Record("WritePrivateProfileStringA",
             {Quote(section), Quote(key), Quote(value), Quote(file)})) {
    return 0;
  }
  return EmulatedSystem::WritePrivateProfileStringA(section, key, value, file);
}

std::uint32_t HeadlessSystem::GetLongPathNameA(const char* path, char* buffer, std::uint32_t size) {
  if (Record("GetLongPathNameA", {Quote(path), Ptr(buffer), Num(size)})) return 0;
  return EmulatedSystem::GetLongPathNameA(path, buffer, size);
}

// --- application object, screen, windows ---

bool HeadlessSystem::PreviousInstance() {
  Record("PreviousInstance", {});
  return previousInstance_;
}

std::string HeadlessSystem::AppFolder() {
  Record("AppFolder", {});
  return appFolder_;
}

std::string HeadlessSystem::AppExeName() {
  Record("AppExeName", {});
  return exeName_;
}

Hwnd HeadlessSystem::CreateFormWindow(const WindowDesign& design) {
  Record("CreateWindow", {Num(design.x), Num(design.y), Num(design.width), Num(design.height)});
  const Hwnd handle = nextWindow_++;
  WindowState& state = windows_[handle];
  state.design = design;
  state.position = {design.x, design.y};
  state.image = Image(design.width, design.height);
  return handle;
}

void HeadlessSystem::MoveFormWindow(Hwnd window, int x, int y) {
  Record("MoveWindow", {Num(window), Num(x), Num(y)});
  State(window).position = {x, y};
}

POINT HeadlessSystem::FormWindowPosition(Hwnd window) {
  return State(window).position;
}

SIZE HeadlessSystem::FormWindowSize(Hwnd window) {
  const WindowState& state = State(window);
  return {state.design.width, state.design.height};
}

void HeadlessSystem::ShowFormWindow(Hwnd window) {
  Record("ShowWindow", {Num(window)});
  State(window).visible = true;
}

void HeadlessSystem::PresentImage(Hwnd window, const Image& image, const RECT& changed) {
  Record("Present", {Num(window), Num(changed.left), Num(changed.top), Num(changed.right),
                     Num(changed.bottom)});
  WindowState& state = State(window);
  if (state.presents++ == 0) {
    state.image = image;
    return;
  }
  for (int y = std::max(0, changed.top); y < std::min(image.height(), changed.bottom); ++y) {
    for (int x = std::max(0, changed.left); x < std::min(image.width(), changed.right); ++x) {
      state.image.set(x, y, image.at(x, y));
    }
  }
}

void HeadlessSystem::StartTimer(Hwnd window, int timerId, int intervalMs) {
  Record("SetTimer", {Num(window), Num(timerId), Num(intervalMs)});
  timers_.emplace_back(window, timerId);
}

void HeadlessSystem::Quit() {
  Record("Quit", {});
  quit_ = true;
}

void HeadlessSystem::NoteDrawing(const std::string& call) {
  const auto paren = call.find('(');
  std::vector<std::string> args;
  std::string rest = call.substr(paren + 1, call.size() - paren - 2);
  for (std::size_t at = 0; at <= rest.size();) {
    const auto comma = rest.find(", ", at);
    args.push_back(rest.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
    if (comma == std::string::npos) break;
    at = comma + 2;
  }
  Record(call.substr(0, paren), std::move(args));
}

void HeadlessSystem::MakeTopmost(Hwnd window, bool activate) {
  WindowState& state = State(window);
  state.topmost = true;
  if (activate) state.activated = true;
}

void HeadlessSystem::ApplyShape(Hwnd window, const Region* shape) {
  WindowState& state = State(window);
  if (shape == nullptr) {
    state.shape.reset();
  } else {
    state.shape = *shape;
  }
}

void HeadlessSystem::ReleasePointer() {
  capture_ = 0;
}

void HeadlessSystem::BeginMove(Hwnd window) {
  // Like a press on a title bar: the move lasts while the left button is held.
  if (buttonsDown_.count(1) == 0) return;
  moving_ = window;
  moveAnchor_ = pointer_;
}

// --- input ---

Hwnd HeadlessSystem::WindowAt(int x, int y) const {
  // Topmost windows first, then the newest.
  for (const bool topmost : {true, false}) {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
      const WindowState& s = it->second;
      if (!s.visible || s.topmost != topmost) continue;
      const int wx = x - s.position.x;
      const int wy = y - s.position.y;
      if (wx < 0 || wy < 0 || wx >= s.design.width || wy >= s.design.height) continue;
      if (s.shape && !s.shape->Contains(wx, wy)) continue;
      return it->first;
    }
  }
  return 0;
}

void HeadlessSystem::MovePointer(int x, int y) {
  pointer_ = {x, y};
  if (moving_ != 0 && windows_.count(moving_) == 1) {
    WindowState& state = windows_[moving_];
    state.position.x += x - moveAnchor_.x;
    state.position.y += y - moveAnchor_.y;
    moveAnchor_ = pointer_;
  }
}

void HeadlessSystem::PressButton(int button, int shift) {
  buttonsDown_.insert(button);
  const Hwnd target = WindowAt(pointer_.x, pointer_.y);
  if (target == 0 || sink_ == nullptr || quit_) return;
  capture_ = target;
  const POINT at = windows_[target].position;
  sink_->OnMouseDown(target, button, shift, pointer_.x - at.x, pointer_.y - at.y);
}

void HeadlessSystem::ReleaseButton(int button) {
  buttonsDown_.erase(button);
  if (button == 1) moving_ = 0;
  capture_ = 0;
}

void HeadlessSystem::DoubleClick() {
  PressButton(1);
  ReleaseButton(1);
  buttonsDown_.insert(1);
  const Hwnd target = WindowAt(pointer_.x, pointer_.y);
  if (target != 0 && sink_ != nullptr && !quit_) sink_->OnDblClick(target);
  ReleaseButton(1);
}

void HeadlessSystem::Tick() {
  const auto timers = timers_;
  for (const auto& [window, id] : timers) {
    if (quit_ || sink_ == nullptr) return;
    sink_->OnTimer(window, id);
  }
}

}  // namespace platform::headless
