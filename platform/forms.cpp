#include "platform/forms.h"

#include <algorithm>
#include <cmath>

#include "platform/convert.h"

namespace platform {

namespace {

Runtime* current = nullptr;

// Twips in one unit of a scale mode; 0 for modes the runtime does not offer.
double TwipsPerUnit(std::int16_t mode) {
  switch (mode) {
    case 1:
      return 1.0;  // twips
    case 2:
      return 20.0;  // points
    case 3:
      return 0.0;  // pixels: depends on the screen, see UnitsPerPixel
    case 5:
      return 1440.0;  // inches
    case 6:
      return 56.6929;  // millimetres
    case 7:
      return 566.929;  // centimetres
    default:
      return -1.0;
  }
}

}  // namespace

// --- Runtime ---

Runtime::Runtime(System& system) : system_(system), previous_(current) {
  current = this;
  system_.SetEventSink(this);
}

Runtime::~Runtime() {
  instances_.clear();
  system_.SetEventSink(nullptr);
  current = previous_;
}

Runtime& Runtime::Current() {
  if (current == nullptr) Fail(Failure::Kind::Unreachable, "no form runtime");
  return *current;
}

void Runtime::Start(void (*main)()) {
  try {
    main();
  } catch (const ProgramEnd&) {
    ended_ = true;
  }
  if (ended_) {
    system_.Quit();
    return;
  }
  for (Form* form : forms_) {
    if (form->Loaded()) form->Present();
  }
}

int Runtime::Run(void (*main)()) {
  Start(main);
  if (ended_) return 0;
  return system_.RunMessageLoop();
}

void Runtime::EndProgram() {
  ended_ = true;
  throw ProgramEnd{};
}

Form* Runtime::FormOf(Hwnd window) {
  const auto it =
      std::find_if(forms_.begin(), forms_.end(), [window](Form* f) { return f->hwnd_ == window; });
  return it == forms_.end() ? nullptr : *it;
}

template <class Handler>
void Runtime::Deliver(Hwnd window, Handler&& handler) {
  Form* form = FormOf(window);
  if (ended_ || form == nullptr) return;
  std::fill(form->drawnThisEvent_.begin(), form->drawnThisEvent_.end(), false);
  try {
    handler(*form);
  } catch (const ProgramEnd&) {
    ended_ = true;
    system_.Quit();
    return;
  } catch (const std::exception&) {  // NOLINT(bugprone-empty-catch)
    // A failure that leaves a handler with no failure handling of its own
    // (MouseDown) drops that one event; the program goes on.
  }
  form->Present();
}

void Runtime::OnMouseDown(Hwnd window, int button, int shift, int x, int y) {
  Deliver(window, [&](Form& form) {
    const double upp = form.UnitsPerPixel();
    form.Form_MouseDown(static_cast<std::int16_t>(button), static_cast<std::int16_t>(shift),
                        static_cast<float>(x * upp), static_cast<float>(y * upp));
  });
}

void Runtime::OnDblClick(Hwnd window) {
  Deliver(window, [](Form& form) { form.Form_DblClick(); });
}

void Runtime::OnTimer(Hwnd window, int timerId) {
  Deliver(window, [timerId](Form& form) {
    if (timerId < 0 || static_cast<std::size_t>(timerId) >= form.timers_.size()) return;
    Timer& timer = *form.timers_[static_cast<std::size_t>(timerId)];
    if (timer.enabled_ && timer.handler_) timer.handler_();
  });
}

// --- Form ---

Form::Form(FormConfig config)
    : runtime_(Runtime::Current()),
      system_(runtime_.system()),
      config_(std::move(config)),
      scaleMode_(config_.scaleMode),
      autoRedraw_(config_.autoRedraw),
      fillColor_(config_.fillColor) {
  runtime_.forms_.push_back(this);
}

Form::~Form() {
  auto& forms = runtime_.forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

void Form::Load() {
  if (hwnd_ != 0 || loading_) return;
  loading_ = true;
  const int tpp = system_.TwipsPerPixel();
  widthPx_ = ToInt32(config_.clientWidth / tpp);
  heightPx_ = ToInt32(config_.clientHeight / tpp);
  kept_ = Image(widthPx_, heightPx_, config_.backColor);
  if (!config_.picture.empty()) {
    if (auto picture = DecodeBmp(config_.picture)) {
      hasPicture_ = true;
      kept_.Draw(*picture, 0, 0);
    }
  }
  shown_ = kept_;
  drawnThisEvent_.assign(shown_.pixels().size(), false);
  WindowDesign design;
  design.title = config_.caption;
  design.className = config_.className;
  design.x = ToInt32(config_.left / tpp);
  design.y = ToInt32(config_.top / tpp);
  design.width = widthPx_;
  design.height = heightPx_;
  design.borderless = config_.borderless;
  design.taskbarButton = config_.showInTaskbar;
  design.icon = config_.icon;
  hwnd_ = system_.CreateFormWindow(design);
  for (std::size_t id = 0; id < timers_.size(); ++id) {
    if (timers_[id]->enabled_ && timers_[id]->intervalMs_ > 0) {
      system_.StartTimer(hwnd_, static_cast<int>(id), timers_[id]->intervalMs_);
    }
  }
  loading_ = false;
  Form_Load();
}

float Form::Top() {
  Load();
  return static_cast<float>(system_.FormWindowPosition(hwnd_).y) *
         static_cast<float>(system_.TwipsPerPixel());
}

float Form::Left() {
  Load();
  return static_cast<float>(system_.FormWindowPosition(hwnd_).x) *
         static_cast<float>(system_.TwipsPerPixel());
}

void Form::SetTop(float twips) {
  Load();
  const int y = ToInt32(twips / static_cast<double>(system_.TwipsPerPixel()));
  system_.MoveFormWindow(hwnd_, system_.FormWindowPosition(hwnd_).x, y);
}

void Form::SetLeft(float twips) {
  Load();
  const int x = ToInt32(twips / static_cast<double>(system_.TwipsPerPixel()));
  system_.MoveFormWindow(hwnd_, x, system_.FormWindowPosition(hwnd_).y);
}

float Form::Width() {
  Load();
  return static_cast<float>(widthPx_ * system_.TwipsPerPixel());
}

float Form::Height() {
  Load();
  return static_cast<float>(heightPx_ * system_.TwipsPerPixel());
}

Hwnd Form::hWnd() {
  Load();
  return hwnd_;
}

bool Form::Picture() {
  Load();
  return hasPicture_;
}

std::int16_t Form::ScaleMode() {
  Load();
  return scaleMode_;
}

void Form::SetScaleMode(std::int16_t mode) {
  Load();
  if (TwipsPerUnit(mode) < 0) Fail(Failure::Kind::InvalidValue, "invalid scale mode");
  scaleMode_ = mode;
}

double Form::UnitsPerPixel() const {
  const double perUnit = TwipsPerUnit(scaleMode_);
  return perUnit > 0 ? system_.TwipsPerPixel() / perUnit : 1.0;
}

bool Form::AutoRedraw() {
  Load();
  return autoRedraw_;
}

void Form::SetAutoRedraw(bool on) {
  Load();
  autoRedraw_ = on;
}

float Form::ScaleWidth() {
  Load();
  return static_cast<float>(widthPx_ * UnitsPerPixel());
}

float Form::ScaleHeight() {
  Load();
  return static_cast<float>(heightPx_ * UnitsPerPixel());
}

Colour Form::FillColor() {
  Load();
  return fillColor_;
}

void Form::SetFillColor(Colour colour) {
  Load();
  fillColor_ = colour;
  if (system_.NotesDrawing()) system_.NoteDrawing("FillColor(" + std::to_string(colour) + ")");
}

Colour Form::Point(float x, float y) {
  Load();
  const double upp = UnitsPerPixel();
  const double px = std::floor(x / upp);
  const double py = std::floor(y / upp);
  const Image& image = autoRedraw_ ? kept_ : shown_;
  if (!(px >= 0 && py >= 0 && px < image.width() && py < image.height())) return 0xFFFFFFFF;
  return image.at(static_cast<int>(px), static_cast<int>(py));
}

void Form::Circle(float x, float y, float radius, Colour colour) {
  Load();
  if (system_.NotesDrawing()) {
    system_.NoteDrawing("Circle(" + SingleToText(x) + ", " + SingleToText(y) + ", " +
                        SingleToText(radius) + ", " + std::to_string(colour) + ")");
  }
  const double upp = UnitsPerPixel();
  const double cx = x / upp;
  const double cy = y / upp;
  const double r = radius / upp;
  if (autoRedraw_) {
    FillCircle(kept_, cx, cy, r, fillColor_, colour,
               [this](int px, int py) { return kept_.at(px, py); });
    shown_ = kept_;
    MarkChanged({0, 0, shown_.width(), shown_.height()});
  } else {
    // An edge pixel blends over what this event drew there already, or else
    // over the kept picture: figures of earlier events do not pile up along
    // anti-aliased edges.
    const int w = shown_.width();
    FillCircle(shown_, cx, cy, r, fillColor_, colour, [this, w](int px, int py) {
      const auto i =
          static_cast<std::size_t>(py) * static_cast<std::size_t>(w) + static_cast<std::size_t>(px);
      const bool drawn = drawnThisEvent_[i];
      drawnThisEvent_[i] = true;
      return drawn ? shown_.at(px, py) : kept_.at(px, py);
    });
  }
  // Every pixel the circle may touch, as FillCircle reaches them.
  const RECT touched{std::max(0, ClampToInt(std::floor(cx - r - 1.0))),
                     std::max(0, ClampToInt(std::floor(cy - r - 1.0))),
                     std::min(shown_.width(), ClampToInt(std::ceil(cx + r + 1.0)) + 1),
                     std::min(shown_.height(), ClampToInt(std::ceil(cy + r + 1.0)) + 1)};
  if (touched.left < touched.right && touched.top < touched.bottom) MarkChanged(touched);
}

void Form::MarkChanged(const RECT& area) {
  if (!dirty_) {
    changed_ = area;
  } else {
    changed_ = {std::min(changed_.left, area.left), std::min(changed_.top, area.top),
                std::max(changed_.right, area.right), std::max(changed_.bottom, area.bottom)};
  }
  dirty_ = true;
}

void Form::Present() {
  if (!dirty_ || hwnd_ == 0) return;
  dirty_ = false;
  system_.PresentImage(hwnd_, shown_, changed_);
}

void Form::Show() {
  Load();
  MarkChanged({0, 0, shown_.width(), shown_.height()});
  Present();
  system_.ShowFormWindow(hwnd_);
}

// --- Timer ---

Timer::Timer(Form& form, int intervalMs, bool enabled, std::function<void()> handler)
    : intervalMs_(intervalMs), enabled_(enabled), handler_(std::move(handler)) {
  form.timers_.push_back(this);
}

// --- application and screen objects ---

bool AppPrevInstance() {
  return Runtime::Current().system().PreviousInstance();
}
std::string AppPath() {
  return Runtime::Current().system().AppFolder();
}
std::string AppExeName() {
  return Runtime::Current().system().AppExeName();
}

float ScreenWidth() {
  System& system = Runtime::Current().system();
  return static_cast<float>(system.ScreenWidthPixels()) *
         static_cast<float>(system.TwipsPerPixel());
}

void End() {
  Runtime::Current().EndProgram();
}

}  // namespace platform
