# Only platform/ may speak to a window system: the core links none of them.
get_target_property(_core_links tobbelin_core LINK_LIBRARIES)
get_target_property(_platform_links tobbelin_platform LINK_LIBRARIES)
foreach(_lib IN LISTS _core_links _platform_links)
  if(_lib MATCHES "X11|Xext|Xrandr|user32|gdi32|tobbelin_native|tobbelin_x11|tobbelin_win32")
    message(FATAL_ERROR "The core must not link a window system, but links ${_lib}")
  endif()
endforeach()
