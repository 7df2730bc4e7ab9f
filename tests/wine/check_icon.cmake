# Fails unless the executable carries exactly the resources of tobbelin.rc:
# the eyes icon, first of its icons, so Explorer shows it as the file's icon.
# cmake -DWINDRES=... -DEXE=... -DRC=... -DICON_DIR=... -DWORK=... -P check_icon.cmake
if(NOT EXISTS "${EXE}")
  message(FATAL_ERROR "No executable at ${EXE}: cmake --preset windows && cmake --build --preset windows")
endif()
if(NOT WINDRES)
  message(FATAL_ERROR "x86_64-w64-mingw32-windres is missing: run scripts/setup-debian.sh")
endif()
# Both as resource scripts. Linking drops the memory flags, which mean
# nothing on 64-bit Windows, so they are left out of the comparison.
execute_process(COMMAND "${WINDRES}" -i "${EXE}" -O rc -o "${WORK}/from_exe.rc"
                RESULT_VARIABLE from_exe)
execute_process(COMMAND "${WINDRES}" -I "${ICON_DIR}" -i "${RC}" -O rc -o "${WORK}/from_rc.rc"
                RESULT_VARIABLE from_rc)
if(NOT from_exe EQUAL 0 OR NOT from_rc EQUAL 0)
  message(FATAL_ERROR "windres could not read the resources (${from_exe}, ${from_rc})")
endif()
file(READ "${WORK}/from_exe.rc" exe_text)
file(READ "${WORK}/from_rc.rc" rc_text)
string(REPLACE " MOVEABLE DISCARDABLE" "" rc_text "${rc_text}")
if(NOT exe_text MATCHES "1 3 /\\* RT_ICON \\*/" OR NOT exe_text MATCHES "1 14 /\\* RT_GROUP_ICON \\*/")
  message(FATAL_ERROR "The executable has no icon 1:\n${exe_text}")
endif()
if(NOT exe_text STREQUAL rc_text)
  message(FATAL_ERROR "The executable's resources differ from tobbelin.rc")
endif()
message(STATUS "The executable carries the icon of tobbelin.rc.")
