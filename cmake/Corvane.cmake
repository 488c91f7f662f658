# Shared build helpers.

if(CORVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Unity builds: Qt's and GoogleTest's headers dominate compile time, so files
# of a target are compiled in batches. File-local helpers must therefore have
# names unique within their target.
option(CORVANE_UNITY "Compile each target's files in unity batches" ON)

function(corvane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
  # -Wrestrict: GCC 12 false positives inside std::string at -O3.
  target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
  if(CORVANE_UNITY)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 12)
    # A test fixture in an anonymous namespace is fine in its own file; the
    # warning only appears because the batch includes the file.
    target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
  endif()
endfunction()

# corvane_add_library(<name> [QT] SOURCES ... [PUBLIC libs...] [PRIVATE libs...])
# Every library sees src/ as its include root ("platform/codepage.h").
function(corvane_add_library name)
  cmake_parse_arguments(A "QT" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${A_PUBLIC} PRIVATE ${A_PRIVATE})
  if(A_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTOUIC OFF AUTORCC ON)
  endif()
  corvane_warnings(${name})
endfunction()

# corvane_add_test(<folder> SOURCES ... LIBS ... [NO_QT] [ENVIRONMENT k=v ...])
# One GoogleTest binary per test folder; every case carries the folder as its CTest label.
function(corvane_add_test folder)
  if(CORVANE_FUZZ)
    return()  # a fuzzing build holds only the fuzz targets
  endif()
  cmake_parse_arguments(A "NO_QT" "NAME" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  if(NOT A_NAME)
    set(A_NAME test_${folder})
  endif()
  add_executable(${A_NAME} ${A_SOURCES})
  set_target_properties(${A_NAME} PROPERTIES AUTOMOC ON)
  target_include_directories(${A_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  if(A_NO_QT)
    target_link_libraries(${A_NAME} PRIVATE ${A_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  else()
    target_link_libraries(${A_NAME} PRIVATE ${A_LIBS} corvane_test_support GTest::gtest GTest::gmock)
  endif()
  corvane_warnings(${A_NAME})
  # Tests spell out only the option fields they care about.
  target_compile_options(${A_NAME} PRIVATE -Wno-missing-field-initializers)
  # Fixtures are found in the tree the test was built from (tests/support/source_tree.h).
  target_compile_definitions(${A_NAME} PRIVATE CORVANE_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # The test environment goes through "cmake -E env" in front of the test
  # binary: a list-valued ENVIRONMENT property does not survive test discovery
  # (only its first entry would arrive).
  set_target_properties(${A_NAME} PROPERTIES CROSSCOMPILING_EMULATOR
    "${CMAKE_COMMAND};-E;env;QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0;${A_ENVIRONMENT}")
  gtest_discover_tests(${A_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${folder}
               TIMEOUT 300)
endfunction()

include(GoogleTest)
find_package(GTest REQUIRED)

if(CORVANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "CORVANE_FUZZ needs clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# corvane_add_fuzzer(<name> SOURCES ... LIBS ... CORPUS <dir>... [SECONDS n])
# Only built with CORVANE_FUZZ; registered as a CTest case labelled "fuzz" that runs for a bounded time,
# seeded from every CORPUS folder (libFuzzer writes what it finds into a work folder of its own).
# The targets' SECONDS add up to the CI run's fuzzing budget of about four minutes: a new target
# takes its share from the others.
function(corvane_add_fuzzer name)
  if(NOT CORVANE_FUZZ)
    return()
  endif()
  cmake_parse_arguments(A "" "SECONDS" "SOURCES;LIBS;CORPUS" ${ARGN})
  if(NOT A_SECONDS)
    set(A_SECONDS 60)
  endif()
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  # Fixtures are found in the tree the target was built from (tests/support/source_tree.h).
  target_compile_definitions(${name} PRIVATE CORVANE_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:${name}> -max_total_time=${A_SECONDS} -rss_limit_mb=2048 -timeout=10 ${work} ${A_CORPUS})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT ${A_SECONDS}0)
  file(MAKE_DIRECTORY ${work})
endfunction()

# corvane_check_headless(<target>...)
# Fails the configure step when the link closure of any named target reaches
# Qt Gui or Qt Widgets: these targets must build and run without a display.
function(_corvane_gui_path item path out)
  set(${out} "" PARENT_SCOPE)
  if(item MATCHES "^Qt[0-9]*::(Gui|Widgets)")
    set(${out} "${path}" PARENT_SCOPE)
    return()
  endif()
  if(NOT TARGET ${item})
    return()
  endif()
  get_property(seen GLOBAL PROPERTY _corvane_headless_seen)
  if(item IN_LIST seen)
    return()
  endif()
  set_property(GLOBAL APPEND PROPERTY _corvane_headless_seen ${item})
  get_target_property(aliased ${item} ALIASED_TARGET)
  if(aliased)
    _corvane_gui_path(${aliased} "${path}" found)
    set(${out} "${found}" PARENT_SCOPE)
    return()
  endif()
  get_target_property(type ${item} TYPE)
  set(deps)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(direct ${item} LINK_LIBRARIES)
    if(direct)
      list(APPEND deps ${direct})
    endif()
  endif()
  get_target_property(usage ${item} INTERFACE_LINK_LIBRARIES)
  if(usage)
    list(APPEND deps ${usage})
  endif()
  foreach(dep IN LISTS deps)
    # A static library's private dependencies reach its users as $<LINK_ONLY:...>.
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" dep "${dep}")
    string(REGEX REPLACE "^\\$<TARGET_NAME_IF_EXISTS:(.*)>$" "\\1" dep "${dep}")
    if(dep MATCHES "^\\$<|^-")
      continue()
    endif()
    _corvane_gui_path(${dep} "${path} -> ${dep}" found)
    if(found)
      set(${out} "${found}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

function(corvane_check_headless)
  foreach(target IN LISTS ARGN)
    if(NOT TARGET ${target})
      continue()
    endif()
    set_property(GLOBAL PROPERTY _corvane_headless_seen "")
    _corvane_gui_path(${target} ${target} found)
    if(found)
      message(FATAL_ERROR "${target} must not link Qt Gui or Widgets, but does: ${found}")
    endif()
  endforeach()
endfunction()
