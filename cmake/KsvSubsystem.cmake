# ksv_subsystem(<name> [DEPS <libs>...] [WIN_DEPS <libs>...])
# Called from src/<name>/CMakeLists.txt. Builds
#  - ksv_<name>: every *.cpp of the folder, portable (no <windows.h>),
#    linked with ksv_core and DEPS;
#  - ksv_<name>_win (Windows only): every *.cpp of its win/ folder, linked
#    with ksv_<name> and WIN_DEPS (the libraries of lower layers and the
#    system libraries it calls).
# Sources are globbed so that adding a file needs no CMake edit.
function(ksv_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPS;WIN_DEPS;EXCLUDE" ${ARGN})
  file(GLOB portable CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(ex ${ARG_EXCLUDE})
    list(FILTER portable EXCLUDE REGEX "${ex}")
  endforeach()
  if(portable)
    add_library(ksv_${name} STATIC ${portable})
    target_include_directories(ksv_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(ksv_${name} PUBLIC ksv_core ${ARG_DEPS})
  endif()
  if(WIN32)
    file(GLOB win CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win/*.cpp)
    foreach(ex ${ARG_EXCLUDE})
      list(FILTER win EXCLUDE REGEX "${ex}")
    endforeach()
    if(win)
      add_library(ksv_${name}_win STATIC ${win})
      target_include_directories(ksv_${name}_win PUBLIC ${PROJECT_SOURCE_DIR}/src)
      target_link_libraries(ksv_${name}_win PUBLIC ksv_core ${ARG_WIN_DEPS})
      if(portable)
        target_link_libraries(ksv_${name}_win PUBLIC ksv_${name})
      endif()
    endif()
  endif()
endfunction()
