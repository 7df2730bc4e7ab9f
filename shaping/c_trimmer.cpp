#include "shaping/c_trimmer.h"

#include <vector>

#include "platform/convert.h"
#include "platform/win_api.h"
#include "shaping/runs.h"

namespace shaping {

namespace api = platform::api;

void cTrimmer::GrabForm(platform::Form& form) {
  // Hand the press over as if it were on a title bar: the system then moves
  // the window with the pointer.
  api::ReleaseCapture();
  const platform::Hwnd window = form.hWnd();
  api::SendMessageA(window, platform::WM_NCLBUTTONDOWN, platform::HTCAPTION, 0);
}

void cTrimmer::TrimForm(platform::Form& form) {
  if (!form.Picture()) return;
  const std::int16_t oldScaleMode = form.ScaleMode();
  const bool oldAutoRedraw = form.AutoRedraw();
  // The kept image holds the picture, also before the window was ever shown.
  form.SetAutoRedraw(true);
  form.SetScaleMode(platform::kScalePixels);

  const platform::Colour key = form.Point(0, 0);
  ShapeRgn = api::CreateRectRgn(0, 0, 0, 0);
  std::int32_t RunStart = -1;
  const std::int32_t lastRow = platform::ToInt32(form.ScaleHeight() - 1.0);
  std::vector<platform::Colour> row;
  for (std::int32_t y = 0; y <= lastRow; ++y) {
    const std::int32_t lastColumn = platform::ToInt32(form.ScaleWidth() - 1.0);
    row.clear();
    for (std::int32_t x = 0; x <= lastColumn; ++x) {
      row.push_back(form.Point(static_cast<float>(x), static_cast<float>(y)));
    }
    for (const Run& run : RowRuns(row, key)) {
      RunStart = run.start;
      AddRun(RunStart, y, run.end, y + 1);
    }
  }
  // The region belongs to the window from here on.
  api::SetWindowRgn(form.hWnd(), ShapeRgn, 1);

  form.SetScaleMode(oldScaleMode);
  form.SetAutoRedraw(oldAutoRedraw);
}

void cTrimmer::AddRun(std::int32_t& RunStart, std::int32_t top, std::int32_t right,
                      std::int32_t bottom) {
  RunRgn = api::CreateRectRgn(RunStart, top, right, bottom);
  api::CombineRgn(ShapeRgn, ShapeRgn, RunRgn, platform::RGN_OR);
  api::DeleteObject(RunRgn);
  RunStart = -1;
}

}  // namespace shaping
