# cmake -DPROGRAM=<file> -P CheckNoQtGui.cmake
# Fails when the program needs Qt Gui or Qt Widgets at run time, directly or
# through another library.
file(GET_RUNTIME_DEPENDENCIES EXECUTABLES ${PROGRAM}
  RESOLVED_DEPENDENCIES_VAR resolved UNRESOLVED_DEPENDENCIES_VAR unresolved)
set(found)
foreach(lib IN LISTS resolved unresolved)
  if(lib MATCHES "libQt[0-9]*(Gui|Widgets)")
    list(APPEND found ${lib})
  endif()
endforeach()
if(found)
  message(FATAL_ERROR "${PROGRAM} needs ${found}")
endif()
list(LENGTH resolved count)
message(STATUS "${PROGRAM}: ${count} libraries, none of Qt Gui or Widgets")
