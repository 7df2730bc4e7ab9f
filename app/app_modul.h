// The program's own entry: one copy only, find the settings, place the
// watcher window where it was left (or top centre) and show it.
#pragma once

namespace app::AppModul {

void Main();

}  // namespace app::AppModul
