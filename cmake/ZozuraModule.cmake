# zz_add_module(NAME SOURCES file... [PUBLIC lib...] [PRIVATE lib...])
# One static library per source folder, its files listed by name: a file that is added or removed
# without its list line fails the build. A library whose own headers include another's headers
# links it PUBLIC; one used only by the .cpp files links PRIVATE.
function(zz_add_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()

# zz_add_core_module(NAME SOURCES file... [PUBLIC lib...] [PRIVATE lib...])
# A library that runs without a screen: QtCore (and what it names) only, never QtGui or QtWidgets,
# so the command-line tools built on it start without a window system. The files listed here are
# the core files the layering check knows (cmake/CheckLayers.cmake): they include only core files
# and no header of a GUI module.
function(zz_add_core_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Core ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()

# zz_add_test(NAME SOURCES file... [LIBS lib...] [LABELS label...] [TIMEOUT s])
# A QtTest executable run offscreen by ctest. It runs on its own too: tests/common/testdefaults.cpp
# gives the environment below as defaults.
function(zz_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE zz_testdefaults Qt6::Test ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZOZURA_SOURCE_DIR=${PROJECT_SOURCE_DIR};ZOZURA_BUILD_DIR=${PROJECT_BINARY_DIR};${ARG_ENV}"
    TIMEOUT ${ARG_TIMEOUT}
    LABELS "${ARG_LABELS}")
endfunction()
