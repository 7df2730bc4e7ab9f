// The form runtime: windows defined by a configuration, their properties,
// drawing and events, the application and screen objects, and ending the
// program. It sits on a System and knows nothing of any window system.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <typeindex>
#include <vector>

#include "platform/failure.h"
#include "platform/image.h"
#include "platform/system.h"

namespace platform {

class Form;

// Owns the program's forms and delivers the system's events to them, one at a
// time. One runtime is current at a time; forms and the free functions below
// use it.
class Runtime final : public EventSink {
 public:
  explicit Runtime(System& system);
  ~Runtime() override;
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  static Runtime& Current();
  System& system() { return system_; }

  // The whole life of a program: `main`, then the message loop, unless `main`
  // ended the program. Returns the exit code.
  int Run(void (*main)());
  // Only `main`: what the program does before its message loop.
  void Start(void (*main)());
  bool Ended() const { return ended_; }

  // The program's one instance of a form class, created on first use.
  template <class F>
  F& Instance() {
    auto& slot = instances_[std::type_index(typeid(F))];
    if (!slot) slot = std::make_unique<F>();
    return static_cast<F&>(*slot);
  }

  // Ends the program at once: unwinds the running handler, stops the loop.
  [[noreturn]] void EndProgram();

  void OnMouseDown(Hwnd window, int button, int shift, int x, int y) override;
  void OnDblClick(Hwnd window) override;
  void OnTimer(Hwnd window, int timerId) override;

 private:
  friend class Form;
  template <class Handler>
  void Deliver(Hwnd window, Handler&& handler);
  Form* FormOf(Hwnd window);

  System& system_;
  Runtime* previous_;
  bool ended_ = false;
  std::vector<Form*> forms_;
  std::map<std::type_index, std::unique_ptr<Form>> instances_;
};

// A form's fixed configuration: what the window is created with.
struct FormConfig {
  std::string caption;
  std::string className;
  bool borderless = true;
  bool showInTaskbar = false;
  Colour backColor = 0x00FFFFFF;
  Colour foreColor = 0;
  Colour fillColor = 0;
  std::int16_t scaleMode = 3;
  bool autoRedraw = false;
  float left = 0;  // twips
  float top = 0;
  float clientWidth = 0;  // twips
  float clientHeight = 0;
  std::span<const std::uint8_t> picture;  // a 24-bit .bmp, or empty for none
  std::span<const std::uint8_t> icon;     // a .ico, or empty
};

inline constexpr std::int16_t kScaleTwips = 1;
inline constexpr std::int16_t kScalePixels = 3;

class Timer;

class Form {
 public:
  explicit Form(FormConfig config);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Every property access loads the form first; Load runs before a change
  // takes effect.
  float Top();
  void SetTop(float twips);
  float Left();
  void SetLeft(float twips);
  float Width();
  float Height();
  Hwnd hWnd();
  bool Picture();  // true when the form has a picture
  std::int16_t ScaleMode();
  void SetScaleMode(std::int16_t mode);
  bool AutoRedraw();
  void SetAutoRedraw(bool on);
  float ScaleWidth();
  float ScaleHeight();
  Colour FillColor();
  void SetFillColor(Colour colour);
  // The colour at (x, y) in the current scale: of the kept image while
  // persistent drawing is on, of the window as shown otherwise; -1 outside.
  Colour Point(float x, float y);
  // A whole circle filled with the fill colour, rimmed in `colour`.
  void Circle(float x, float y, float radius, Colour colour);
  // Shows the form where it stands, not modal, no owner.
  void Show();

  bool Loaded() const { return hwnd_ != 0; }
  // What the window shows now (after the last finished event).
  const Image& Shown() const { return shown_; }

 protected:
  virtual void Form_Load() {}
  virtual void Form_MouseDown(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/,
                              float /*y*/) {}
  virtual void Form_DblClick() {}

 private:
  friend class Runtime;
  friend class Timer;
  void Load();
  double UnitsPerPixel() const;
  void Present();
  void MarkChanged(const RECT& area);

  Runtime& runtime_;
  System& system_;
  FormConfig config_;
  Hwnd hwnd_ = 0;
  bool loading_ = false;
  bool hasPicture_ = false;
  int widthPx_ = 0;
  int heightPx_ = 0;
  std::int16_t scaleMode_;
  bool autoRedraw_;
  Colour fillColor_;
  Image kept_;   // background and picture, plus what is drawn persistently
  Image shown_;  // what the window shows
  std::vector<bool> drawnThisEvent_;
  bool dirty_ = false;
  RECT changed_;  // what differs from the last picture shown, when dirty_
  std::vector<Timer*> timers_;
};

// A timer control: raises its handler every interval from the moment its form
// is loaded.
class Timer {
 public:
  Timer(Form& form, int intervalMs, bool enabled, std::function<void()> handler);
  int interval() const { return intervalMs_; }
  bool enabled() const { return enabled_; }

 private:
  friend class Form;
  friend class Runtime;
  int intervalMs_;
  bool enabled_;
  std::function<void()> handler_;
};

// A label control. Holds its settings; an invisible label draws nothing.
struct Label {
  Colour backColor = 0;
  float left = 0;  // twips
  float top = 0;
  float width = 0;
  float height = 0;
  bool visible = true;
};

// The application object.
bool AppPrevInstance();
std::string AppPath();     // the executable's folder
std::string AppExeName();  // the executable's name without extension

// The screen object: width of the primary monitor, twips.
float ScreenWidth();

// Ends the program at once.
[[noreturn]] void End();

}  // namespace platform
