# Sourced by the scripts that need a desktop without a screen:
#   start_virtual_display WIDTH HEIGHT   # Xvfb on a free display, openbox on it, DISPLAY set
#   stop_virtual_display
start_virtual_display() {
  local number=99
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
  Xvfb ":$number" -screen 0 "$1x$2x24" -nolisten tcp >/dev/null 2>&1 &
  virtual_display_server=$!
  export DISPLAY=":$number"
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
  openbox >/dev/null 2>&1 &
  virtual_display_manager=$!
  for _ in $(seq 100); do
    [[ $(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) == *window* ]] && break
    sleep 0.05
  done
}

stop_virtual_display() {
  kill "${virtual_display_manager:-}" "${virtual_display_server:-}" 2>/dev/null || true
}
