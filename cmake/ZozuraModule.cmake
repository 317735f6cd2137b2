# zz_add_module(NAME [DEPS lib...])
# One static library per source folder; sources are the folder's .cpp/.h files.
function(zz_add_module name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT _src)
    set(_stub ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${_stub} "// no sources yet\n")
    set(_src ${_stub})
  endif()
  # The moc step of an existing build folder reruns when one of the folder's list files changes,
  # not when the glob finds a new header. The file list, written only when it changes and read
  # as a list file, makes a header added later reach moc too.
  list(JOIN _src "\n#   " _listed)
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${name}_sources.cmake
       CONTENT "# sources of ${name}:\n#   ${_listed}\n")
  include(${CMAKE_CURRENT_BINARY_DIR}/${name}_sources.cmake)
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets ${ARG_DEPS})
endfunction()

# zz_add_test(NAME SOURCES file... [LIBS lib...] [LABELS label...] [TIMEOUT s])
# A QtTest executable run offscreen by ctest.
function(zz_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZOZURA_SOURCE_DIR=${PROJECT_SOURCE_DIR};ZOZURA_BUILD_DIR=${PROJECT_BINARY_DIR};${ARG_ENV}"
    TIMEOUT ${ARG_TIMEOUT}
    LABELS "${ARG_LABELS}")
endfunction()
